#!/usr/bin/env bash
# Smoke test of the shipped 32-bit Lexidrop.exe, started once (possibly under
# user-mode emulation, where every step is slow) in a Wine prefix of its own
# and driven from outside by the 64-bit probe: copy a text, read the lines,
# open and close the settings dialog, end the program.
# Usage: smoke_test.sh PROGRAM_FOLDER PROBE_EXE WINE_PREFIX
set -euo pipefail
bin=$1
probe_exe=$2
export LEXIDROP_WINEPREFIX=$3
source "$(dirname "$0")/../../scripts/wine-session.sh"
started=$SECONDS
step() { echo "[$((SECONDS - started)) s] $*"; }
probe() { "$WINE" "$probe_exe" "$@" | tr -d '\r'; }

# The program under test must really be the 32-bit build (PE machine 0x14c).
machine=$(od -An -tx2 -j "$(($(od -An -tu4 -j 60 -N4 "$bin/Lexidrop.exe") + 4))" -N2 "$bin/Lexidrop.exe" | tr -d ' ')
[ "$machine" = 014c ] || { echo "Lexidrop.exe is not a 32-bit program (machine $machine)"; exit 1; }
/usr/lib/wine/wine --version >/dev/null 2>&1 || { echo "Wine's 32-bit loader cannot run here"; exit 1; }

# A prefix made where 32-bit programs could not run (by the 64-bit loader
# alone) lacks its 32-bit system files, and every 32-bit program started in it
# ends at once with "could not load kernel32.dll". Wine installs them only
# while it makes a new prefix, so such a prefix is made again.
wow64_kernel32=$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll
if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$wow64_kernel32" ]; then
  step "$WINEPREFIX has no 32-bit half: making it again"
  rm -rf "$WINEPREFIX"
fi
lexidrop_session_start --xvfb
[ -f "$wow64_kernel32" ] || { echo "Wine made $WINEPREFIX without its 32-bit half"; exit 1; }
step "Wine prefix ready"

"$WINE" reg delete 'HKCU\Software\Tessaloon\Lexidrop' /f >/dev/null 2>&1 || true
step "starting $bin/Lexidrop.exe"
"$WINE" "$bin/Lexidrop.exe" &
lexidrop=$!
# The window is awaited only while Lexidrop runs: a program that cannot start
# ends at once, with Wine's reason on standard error.
"$WINE" "$probe_exe" wait 900 >/dev/null &
waiting=$!
while kill -0 "$waiting" 2>/dev/null && kill -0 "$lexidrop" 2>/dev/null; do sleep 1; done
if ! kill -0 "$lexidrop" 2>/dev/null; then
  status=0
  wait "$lexidrop" || status=$?
  echo "Lexidrop.exe ended with status $status before its main window appeared"
  exit 1
fi
wait "$waiting" || { echo "no main window after 900 s"; exit 1; }
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
step "Lexidrop ended with status $status"
[ "$status" = 0 ]
