#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the editor need,
# only those that are missing, and unpacks the fonts the tests draw with.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    juce-modules-source libasound2-dev libfreetype-dev libpng-dev libjpeg-dev zlib1g-dev
    libx11-dev libxcb1-dev libxcb-shm0-dev libxext-dev libxrandr-dev libxinerama-dev libxcursor-dev libxdamage-dev pkg-config cmake
    ninja-build g++ libexpat1-dev libgtest-dev libbenchmark-dev fonts-dejavu-core fontconfig-config
    xvfb xauth xdotool procps libxtst6 clang libclang-rt-14-dev
    bindfs exfat-fuse exfatprogs
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Liberation Sans (fonts-liberation2), which the framework takes for its default face before
# DejaVu Sans, for the tests that draw with it. Unpacked into build/fonts, not installed:
# installed, it would become the default face of every JUCE program on the machine, this
# editor's included, which then could not start on its compiled-in DejaVu Sans glyphs.
fonts=build/fonts/liberation2
if [ ! -f "$fonts/LiberationSans-Regular.ttf" ]; then
    echo "Unpacking fonts-liberation2 into $fonts"
    download=$(mktemp -d)
    chmod 777 "$download" # apt downloads as its own user
    if ! (cd "$download" && apt-get download -qq fonts-liberation2 2>/dev/null); then
        $sudo apt-get update -qq
        (cd "$download" && apt-get download -qq fonts-liberation2)
    fi
    dpkg-deb -x "$download"/fonts-liberation2_*.deb "$download/root"
    mkdir -p "$fonts"
    cp "$download"/root/usr/share/fonts/truetype/liberation2/*.ttf \
        "$download"/root/usr/share/doc/fonts-liberation2/copyright "$fonts"/
    rm -rf "$download"
fi
