#!/usr/bin/env bash
# The command-line tool against MeCab as whole processes (hyperfine) on the
# 20,000 lines of bench/japanese-lines.sh: the best reading of every line
# against `mecab -Oyomi` on IPADIC, then 5 readings and furigana.
#
#   bash bench/lookup-vs-mecab.sh [LOOKUP] [OTHER_LOOKUP]
#
# LOOKUP defaults to build/native/lexidrop-lookup; an OTHER_LOOKUP (another
# build's) is timed beside it on every option. RUNS sets hyperfine's runs.
set -euo pipefail
cd "$(dirname "$0")/.."
lookup=$(realpath "${1:-build/native/lexidrop-lookup}")
other=${2:+$(realpath "$2")}
lines=build/bench-lines.txt
bash bench/japanese-lines.sh > "$lines"
run() {  # options, then any further command
    local options=$1
    shift
    local commands=("$lookup $options < $lines")
    [ -n "$other" ] && commands+=("$other $options < $lines")
    hyperfine --warmup 1 --runs "${RUNS:-10}" "${commands[@]}" "$@"
}
run "--each-line --max-candidates 1" "mecab -d /var/lib/mecab/dic/ipadic-utf8 -Oyomi < $lines"
run "--each-line --max-candidates 5"
run "--each-line --furigana brackets"
