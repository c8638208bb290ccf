#!/usr/bin/env bash
# Start-up of the editor against a bare JUCE window of the same size, both Release builds
# of the same JUCE library: time from main() to the first painted frame and resident memory
# half a second later, median of several runs, headless. Usage: startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-9}"
bash scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BENCH=ON >/dev/null
cmake --build build/bench -j 4 --target quorvel_startup_editor quorvel_startup_bare >/dev/null

measure() {
    local prog="$1" i out
    for ((i = 0; i < runs; i++)); do
        out=$(timeout 60 "$prog" 2>/dev/null)
        echo "$(grep first-paint-ms <<<"$out" | cut -d' ' -f2) $(grep rss-kb <<<"$out" | cut -d' ' -f2)"
    done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

export runs
results=$(xvfb-run -a bash -c "
    $(declare -f measure)
    echo bare; measure build/bench/bench/quorvel_startup_bare
    echo editor; measure build/bench/bench/quorvel_startup_editor")

bare=$(awk '/^bare$/{f=1;next} /^editor$/{f=0} f' <<<"$results")
editor=$(awk '/^editor$/{f=1;next} f' <<<"$results")

bare_ms=$(cut -d' ' -f1 <<<"$bare" | median)
bare_kb=$(cut -d' ' -f2 <<<"$bare" | median)
editor_ms=$(cut -d' ' -f1 <<<"$editor" | median)
editor_kb=$(cut -d' ' -f2 <<<"$editor" | median)

printf "%-8s %10s %10s\n" "" "paint ms" "rss kB"
printf "%-8s %10s %10s\n" bare "$bare_ms" "$bare_kb" editor "$editor_ms" "$editor_kb"
awk -v a="$editor_ms" -v b="$bare_ms" -v c="$editor_kb" -v d="$bare_kb" \
    'BEGIN { printf "ratios: start-up %.2f, memory %.2f (editor / bare window, median of '"$runs"' runs)\n", a / b, c / d }'
