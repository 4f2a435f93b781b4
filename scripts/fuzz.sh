#!/usr/bin/env bash
# Fuzzes the engine's card reader and 3D ground-file reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, for a bounded time. A few field points of what the readers accept are
# evaluated by the model the cards choose (flat earth, GTD or physical optics).
# Usage: scripts/fuzz.sh [seconds]   (default 60; FUZZ_JOBS parallel jobs, default 1)
# libFuzzer's log goes to build/fuzz-models/fuzz.log (which gathers the jobs' logs with FUZZ_JOBS > 1);
# only its end is shown, on a failure. A finding is written to build/fuzz-models/ as crash-*, timeout-*,
# leak-* or oom-* and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${FUZZ_JOBS:-1}
out=build/fuzz-models
obj=$out/obj
rm -rf "$obj"
mkdir -p "$obj" "$out/corpus"
rm -f "$out"/fuzz.log "$out"/fuzz-*.log

sources=(tests/engine/fuzz/card_ground_fuzz.cpp)
for f in engine/src/*.cpp; do
  [[ $f == engine/src/exports.cpp ]] || sources+=("$f")
done
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
  -Iengine/include -Iengine/src)
printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -I{} sh -c 'clang++ "$@" -c "$0" -o "'"$obj"'/$(basename "$0" .cpp).o"' {} "${flags[@]}"
clang++ -fsanitize=fuzzer,address,undefined "$obj"/*.o -pthread -o "$out/card_ground_fuzz"

args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -dict=../../tests/engine/fuzz/cards.dict
  -print_final_stats=1)
((jobs > 1)) && args+=(-jobs="$jobs" -workers="$jobs")

# libFuzzer writes its findings (and the per-job logs) into the current directory.
cd "$out"
if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ./card_ground_fuzz "${args[@]}" corpus \
  ../../tests/engine/fuzz/seeds ../../tests/engine/fuzz/corpus >fuzz.log 2>&1; then
  tail -n 40 fuzz.log >&2
  shopt -s nullglob
  findings=(crash-* timeout-* leak-* oom-*)
  echo "fuzz: FAILED; findings in $out: ${findings[*]:-none}" >&2
  exit 1
fi
runs=$(awk '/^stat::number_of_executed_units:/ { n += $2 } END { print n + 0 }' fuzz.log)
echo "fuzz: $runs inputs in $seconds s, no findings (log: $out/fuzz.log)"
