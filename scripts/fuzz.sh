#!/usr/bin/env bash
# Fuzzes the engine's card reader and 3D ground-file reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, for a bounded time. The first field points of what the readers accept are
# evaluated by the model the cards choose (flat earth, GTD or physical optics).
# Usage: scripts/fuzz.sh [seconds]   (default 60; FUZZ_JOBS parallel jobs, default 1)
# A finding is written to build/fuzz-models/ as crash-*, timeout-* or leak-* and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${FUZZ_JOBS:-1}
out=build/fuzz-models
mkdir -p "$out/corpus"

sources=()
for f in engine/src/*.cpp; do
  [[ $f == engine/src/exports.cpp ]] || sources+=("$f")
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Iengine/include -Iengine/src "${sources[@]}" tests/engine/fuzz/card_ground_fuzz.cpp -pthread \
  -o "$out/card_ground_fuzz"

# libFuzzer writes its findings into the current directory.
cd "$out"
./card_ground_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -jobs="$jobs" -workers="$jobs" \
  -dict=../../tests/engine/fuzz/cards.dict -print_final_stats=1 corpus ../../tests/engine/fuzz/seeds \
  ../../tests/engine/fuzz/corpus
