#!/usr/bin/env bash
# Builds the project (Release, warnings as errors) and runs every test, then the engine's and the
# program's Qt-free libraries' tests under AddressSanitizer + UndefinedBehaviorSanitizer, a bounded
# libFuzzer run of the engine's and the program's readers, and the run-state and parallel point-loop
# tests under ThreadSanitizer. The Release benchmarks print their figures after the tests. Every build
# checks the standard library's preconditions (_GLIBCXX_ASSERTIONS).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
strict=(-DPELLON_WERROR=ON -DPELLON_ASSERTIONS=ON)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release "${strict[@]}"
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"
build/release/bin/kelvd_bench
build/release/bin/plot_bench
build/release/bin/plot_page_bench
build/release/bin/viewer_bench
build/release/bin/viewer_draw_bench
build/release/bin/viewer_motion_bench
build/release/bin/imaging_bench
build/release/bin/ground_bench
build/release/bin/digitiser_bench

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENGINE_ONLY=OFF -DLOGIC_ONLY=ON \
  -DSANITIZE=address,undefined "${strict[@]}"
cmake --build build/asan -j "$jobs"
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --test-dir build/asan --output-on-failure -j "$jobs"

# The readers under libFuzzer (clang), each for a bounded time, from their seeds.
bash scripts/fuzz.sh 30

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENGINE_ONLY=ON -DSANITIZE=thread "${strict[@]}"
cmake --build build/tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L run_state
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -j "$jobs" -R '^PointLoop\.'
