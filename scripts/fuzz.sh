#!/usr/bin/env bash
# Fuzzes the readers with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer, each for a
# bounded time: the engine's card reader and 3D ground-file reader (a few field points of what they
# accept are evaluated by the model the cards choose), then every target the program's Qt-free
# libraries declare with pellon_add_fuzzer (built by a clang configuration of their own, build/fuzz-app).
# Usage: scripts/fuzz.sh [seconds per target]   (default 60; FUZZ_JOBS parallel jobs, default 1)
# Each target's log goes to build/fuzz-models/<target>.log; only its end is shown, on a failure. A
# finding is written to build/fuzz-models/<target>/ as crash-*, timeout-*, leak-* or oom-* and fails
# the script.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
jobs=${FUZZ_JOBS:-1}
out=build/fuzz-models
obj=$out/obj
rm -rf "$obj"
mkdir -p "$obj"
rm -f "$out"/*.log

# run_target <name> <binary> <dict or -> <seed folders...>: fuzzes one target from its seeds and a
# corpus of its own that grows from run to run.
run_target() {
  local name=$1 binary=$2 dict=$3
  shift 3
  local dir=$root/$out/$name
  mkdir -p "$dir/corpus"
  local args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1)
  [[ $dict == - ]] || args+=(-dict="$dict")
  ((jobs > 1)) && args+=(-jobs="$jobs" -workers="$jobs")
  local log=$root/$out/$name.log
  # libFuzzer writes its findings (and the per-job logs) into the current directory.
  if ! (cd "$dir" && rm -f fuzz-*.log &&
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$binary" "${args[@]}" corpus "$@" >"$log" 2>&1 &&
    { ((jobs == 1)) || cat fuzz-*.log >>"$log"; }); then
    tail -n 40 "$log" >&2
    shopt -s nullglob
    local findings=("$dir"/crash-* "$dir"/timeout-* "$dir"/leak-* "$dir"/oom-*)
    echo "fuzz: $name FAILED; findings: ${findings[*]:-none}" >&2
    exit 1
  fi
  local runs
  runs=$(awk '/^stat::number_of_executed_units:/ { n += $2 } END { print n + 0 }' "$log")
  echo "fuzz: $name: $runs inputs in $seconds s, no findings (log: $out/$name.log)"
}

# The engine is plain C++ compiled straight from its sources.
sources=(tests/engine/fuzz/card_ground_fuzz.cpp)
for f in engine/src/*.cpp; do
  [[ $f == engine/src/exports.cpp ]] || sources+=("$f")
done
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
  -Iengine/include -Iengine/src)
printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -I{} sh -c 'clang++ "$@" -c "$0" -o "'"$obj"'/$(basename "$0" .cpp).o"' {} "${flags[@]}"
clang++ -fsanitize=fuzzer,address,undefined "$obj"/*.o -pthread -o "$obj/card_ground_fuzz"
run_target card_ground_fuzz "$root/$obj/card_ground_fuzz" "$root/tests/engine/fuzz/cards.dict" \
  "$root/tests/engine/fuzz/seeds" "$root/tests/engine/fuzz/corpus"

# The program's readers, as their CMake folders declare them.
app=build/fuzz-app
CC=clang CXX=clang++ cmake -S . -B "$app" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DLOGIC_ONLY=ON -DPELLON_FUZZ=ON -DSANITIZE=address,undefined -DCMAKE_CXX_FLAGS=-fno-sanitize-recover=undefined \
  >/dev/null
mapfile -t fuzzers < <(cat "$app/fuzzers.txt" 2>/dev/null || true)
((${#fuzzers[@]} == 0)) && exit 0
names=()
for line in "${fuzzers[@]}"; do
  read -r name _ <<<"$line"
  names+=("$name")
done
cmake --build "$app" -j "$(nproc)" --target "${names[@]}" >/dev/null
for line in "${fuzzers[@]}"; do
  read -r name seeds dict <<<"$line"
  run_target "$name" "$root/$app/bin/$name" "$dict" "$seeds"
done
