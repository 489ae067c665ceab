#!/usr/bin/env bash
# Smoke test of the shipped 32-bit Lexidrop.exe, started once (possibly under
# user-mode emulation, where every step is slow) and driven from outside by
# the 64-bit probe: copy a text, read the lines, open and close the settings
# dialog, end the program.
# Usage: smoke_test.sh PROGRAM_FOLDER PROBE_EXE
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
bin=$1
probe_exe=$2
started=$SECONDS
step() { echo "[$((SECONDS - started)) s] $*"; }
probe() { "$WINE" "$probe_exe" "$@" | tr -d '\r'; }

# The program under test must really be the 32-bit build (PE machine 0x14c).
machine=$(od -An -tx2 -j "$(($(od -An -tu4 -j 60 -N4 "$bin/Lexidrop.exe") + 4))" -N2 "$bin/Lexidrop.exe" | tr -d ' ')
[ "$machine" = 014c ] || { echo "Lexidrop.exe is not a 32-bit program (machine $machine)"; exit 1; }

"$WINE" reg delete 'HKCU\Software\Tessaloon\Lexidrop' /f >/dev/null 2>&1 || true
step "starting $bin/Lexidrop.exe"
"$WINE" "$bin/Lexidrop.exe" &
lexidrop=$!
trap 'kill $lexidrop 2>/dev/null || true' EXIT
probe wait 900 || { echo "no main window after 900 s"; exit 1; }
step "main window is there"

text=今日は良い天気です
probe copy "$text"
lines=
for _ in $(seq 1 300); do
  lines=$(probe lines)
  grep -qx "1 きょうはよいてんきです" <<<"$lines" && break
  sleep 1
done
step "lines after copying $text:"
echo "$lines" | sed 's/^/    /'
[ "$(head -n1 <<<"$lines")" = "0 $text" ] || { echo "line 0 is not the copied text"; exit 1; }
grep -qx "1 きょうはよいてんきです" <<<"$lines" || { echo "no built-in reading"; exit 1; }

title=$(probe settings 600) || { echo "the settings dialog did not open and close"; exit 1; }
step "settings dialog opened and closed with OK: $title"
[[ "$title" == *Version*の設定 ]] || { echo "unexpected dialog title: $title"; exit 1; }

probe quit
for _ in $(seq 1 600); do
  kill -0 "$lexidrop" 2>/dev/null || break
  sleep 1
done
status=0
wait "$lexidrop" || status=$?
trap - EXIT
step "Lexidrop ended with status $status"
[ "$status" = 0 ]
