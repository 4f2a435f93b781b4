#!/usr/bin/env bash
# Builds the project (Release) and runs every test, then the engine's tests under
# AddressSanitizer + UndefinedBehaviorSanitizer and its run-state tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENGINE_ONLY=ON -DSANITIZE=address,undefined
cmake --build build/asan -j "$jobs"
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --test-dir build/asan --output-on-failure -j "$jobs"

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENGINE_ONLY=ON -DSANITIZE=thread
cmake --build build/tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L run_state
