#!/usr/bin/env bash
# Builds the engine's libFuzzer target with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for a bounded time.
#   engine/fuzz/run.sh [seconds]    (default 60; needs build/native/Lexidrop.dic)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus"
# Every source of the engine's folder (the POSIX file mapping included).
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
  engine/fuzz/engine_fuzzer.cpp engine/*.cpp -o "$out/engine_fuzzer"
export LEXIDROP_DICTIONARY=$PWD/build/native/Lexidrop.dic
[ -f "$LEXIDROP_DICTIONARY" ] || { echo "build the native preset first" >&2; exit 1; }
"$out/engine_fuzzer" -max_total_time="$seconds" -max_len=512 -rss_limit_mb=4096 "$out/corpus"
