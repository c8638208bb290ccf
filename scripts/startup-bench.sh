#!/usr/bin/env bash
# Start-up of the editor against a bare JUCE window of the same size, both Release builds
# of the same JUCE library: time from main() to the first painted frame and resident memory
# half a second later, median of several runs taken in turns, headless. A single start-up
# varies by a third from one run to the next on a shared machine, so the default is many runs.
# Usage: startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-41}"
bash scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BENCH=ON >/dev/null
cmake --build build/bench -j 4 --target quorvel_startup_editor quorvel_startup_bare >/dev/null

# One run of a program: its time to the first painted frame and its resident memory.
measure() {
    local out
    out=$(timeout 60 "$1" 2>/dev/null)
    echo "$(grep first-paint-ms <<<"$out" | cut -d' ' -f2) $(grep rss-kb <<<"$out" | cut -d' ' -f2)"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The two programs take turns, so that a change in the machine's load while the runs go on
# weighs on both alike.
export runs
results=$(xvfb-run -a bash -c "
    $(declare -f measure)
    for ((i = 0; i < runs; i++)); do
        echo \"bare \$(measure build/bench/bench/quorvel_startup_bare)\"
        echo \"editor \$(measure build/bench/bench/quorvel_startup_editor)\"
    done")

bare=$(awk '$1 == "bare" { print $2, $3 }' <<<"$results")
editor=$(awk '$1 == "editor" { print $2, $3 }' <<<"$results")

bare_ms=$(cut -d' ' -f1 <<<"$bare" | median)
bare_kb=$(cut -d' ' -f2 <<<"$bare" | median)
editor_ms=$(cut -d' ' -f1 <<<"$editor" | median)
editor_kb=$(cut -d' ' -f2 <<<"$editor" | median)

printf "%-8s %10s %10s\n" "" "paint ms" "rss kB"
printf "%-8s %10s %10s\n" bare "$bare_ms" "$bare_kb" editor "$editor_ms" "$editor_kb"
awk -v a="$editor_ms" -v b="$bare_ms" -v c="$editor_kb" -v d="$bare_kb" \
    'BEGIN { printf "ratios: start-up %.2f, memory %.2f (editor / bare window, median of '"$runs"' runs)\n", a / b, c / d }'
