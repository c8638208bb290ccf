#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the editor need,
# only those that are missing.
set -euo pipefail

packages=(
    juce-modules-source libasound2-dev libfreetype-dev libpng-dev libjpeg-dev zlib1g-dev
    libx11-dev libxext-dev libxrandr-dev libxinerama-dev libxcursor-dev pkg-config cmake
    ninja-build g++ libexpat1-dev libgtest-dev libbenchmark-dev fonts-dejavu-core fontconfig-config
    xvfb xauth libxtst6 clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
