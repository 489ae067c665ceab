#!/usr/bin/env bash
# Builds the engine's libFuzzer target with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for a bounded time.
#   engine/fuzz/run.sh [seconds]    (default 60; needs build/native/Lexidrop.dic)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
  engine/fuzz/engine_fuzzer.cpp engine/dictionary.cpp engine/reading_engine.cpp engine/reading_text.cpp \
  engine/reading_sequences.cpp engine/counted_numbers.cpp engine/posix_file_mapping.cpp engine/furigana.cpp \
  engine/context_readings.cpp engine/rule_positions.cpp engine/unjoinable_readings.cpp engine/written_forms.cpp \
  -o "$out/engine_fuzzer"
export LEXIDROP_DICTIONARY=$PWD/build/native/Lexidrop.dic
[ -f "$LEXIDROP_DICTIONARY" ] || { echo "build the native preset first" >&2; exit 1; }
"$out/engine_fuzzer" -max_total_time="$seconds" -max_len=512 -rss_limit_mb=4096 "$out/corpus"
