#!/usr/bin/env bash
# Installs what is missing, builds Lexidrop and runs it under Wine.
# With a display (DISPLAY set) Lexidrop runs there until you end it from its
# tray menu. Without one (or with --headless) it runs on a private Xvfb:
# the script copies a sample text, prints the lines the window shows, saves
# a screenshot to build/screenshot.png and ends Lexidrop again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null

source scripts/wine-session.sh
bin="build/$LEXIDROP_WINDOWS_PRESET/bin"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != --headless ]; then
  lexidrop_session_start
  "$WINE" "$bin/Lexidrop.exe"
  exit 0
fi

lexidrop_session_start --xvfb
sample=${LEXIDROP_SAMPLE:-今日は良い天気です}
probe() { "$WINE" "$bin/lexidrop-probe.exe" "$@" | tr -d '\r'; }

"$WINE" "$bin/Lexidrop.exe" &
lexidrop_pid=$!
probe wait 60
probe copy "$sample"
sleep 2
echo "Copied: $sample"
echo "Lexidrop shows:"
probe lines | sed 's/^/  /'
import -window root build/screenshot.png
echo "Screenshot: build/screenshot.png"
probe quit
wait "$lexidrop_pid" || true
