#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test headless: a normal build,
# an AddressSanitizer + UndefinedBehaviorSanitizer build, a ThreadSanitizer build of the
# threaded tests, and each fuzz target briefly on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
root=$PWD
failed=0

configure_and_build() {  # dir, cmake args...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

build_tests() {  # dir, cmake args...: the test programs only
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" --target quorvel_tests quorvel_slow_tests quorvel_window_tests quorvel_font_tests quorvel_interposed_tests \
        quorvel_picture_generator quorvel_typeface_generator
}

passed_total=0
failed_total=0

run_ctest() {  # dir, ctest args...
    local dir=$1; shift
    local log=$dir/ctest.log
    (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --output-on-failure -j "$((jobs * 2))" "$@") 2>&1 | tee "$log" || failed=1
    local summary n bad
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
    n=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$summary")
    if [ -z "$summary" ]; then failed=1; return; fi
    passed_total=$((passed_total + n - bad))
    failed_total=$((failed_total + bad))
}

echo "== normal build"
configure_and_build build/debug -DCMAKE_BUILD_TYPE=Debug
run_ctest build/debug

echo "== address + undefined behaviour sanitizers"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
build_tests build/asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=address,undefined
run_ctest build/asan

echo "== thread sanitizer"
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/tests/tsan.supp"
build_tests build/tsan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=thread
run_ctest build/tsan

if [ -d fuzz ] && ls fuzz/*.cpp >/dev/null 2>&1; then
    echo "== fuzz targets"
    targets=$(for f in fuzz/fuzz_*.cpp; do basename "$f" .cpp; done)
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORVEL_TESTS=OFF -DQUORVEL_FUZZ=ON -DQUORVEL_WERROR=OFF >/dev/null
    # shellcheck disable=SC2086
    cmake --build build/fuzz -j "$jobs" --target $targets
    for name in $targets; do
        target=build/fuzz/fuzz/$name
        corpus=$(mktemp -d)
        cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
        echo "-- $name"
        # A hanging input fails the step as a crash does; what failed is kept in build/fuzz.
        "$target" -max_total_time=20 -timeout=10 -rss_limit_mb=4096 -artifact_prefix="build/fuzz/$name-" \
            "$corpus" >"build/fuzz/$name.log" 2>&1 || { tail -n 40 "build/fuzz/$name.log"; failed=1; }
        rm -rf "$corpus"
    done
fi

[ $failed -ne 0 ] && echo "Some tests failed."
echo "Tests: $passed_total passed, $failed_total failed"
exit $failed
