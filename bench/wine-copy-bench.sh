#!/usr/bin/env bash
# The cost of a copy in the running program under Wine + Xvfb, with the
# default settings and the window visible.
#   CPU per copy: the texts copied one at a time, 60 ms apart, each after the
#   window showed the one before; CPU of the program's own process, of the
#   wineserver and of Xvfb, against a bare clipboard viewer under the same load.
#   Burst: 100 copies 20 ms apart; milliseconds from the last copy until line 0
#   shows it and the window answers a WM_NULL.
# Usage: bash bench/wine-copy-bench.sh [TEXTS...]
#   (default: bench/copy-texts.txt and bench/copy-texts-holdout.txt)
# Figures depend on the machine and its load; run it on a quiet machine.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
source scripts/wine-session.sh
if [ $# -eq 0 ]; then set -- bench/copy-texts.txt bench/copy-texts-holdout.txt; fi

preset=${LEXIDROP_BENCH_PRESET:-$LEXIDROP_WINDOWS_PRESET}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Lexidrop lexidrop_dictionary wine-copy-driver >/dev/null
bin="build/$preset/bin"

lexidrop_session_start --xvfb
xvfb_pid=${lexidrop_session_pids[0]}

driver() { "$WINE" "$bin/wine-copy-driver.exe" "$@" | tr -d '\r'; }

# The process of this prefix whose name is the given one (`wineserver64`, or
# the first 15 bytes of a program's file name): the one whose environment
# names this prefix. The loader started in the background may hand the
# program over to another process, so $! is not it.
prefix_process() {
  local pid
  for pid in $(pgrep -x "$1"); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}
server_pid=$(prefix_process 'wineserver|wineserver64')

# User + system CPU of a process (all its threads) in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
tick_ms=$(awk -v hz="$(getconf CLK_TCK)" 'BEGIN { print 1000 / hz }')

warmup=$(mktemp)
trap 'rm -f "$warmup"; lexidrop_session_stop' EXIT
printf '%s\n' 準備の一行目 準備の二行目 準備の三行目 >"$warmup"

# Starts `what` (Lexidrop or the bare viewer) with default settings and
# sets app_pid; the first copies load what the first lookup needs.
start() {
  "$WINE" reg delete 'HKCU\Software\Tessaloon\Lexidrop' /f >/dev/null 2>&1 || true
  local name=Lexidrop.exe
  if [ "$1" = viewer ]; then
    "$WINE" "$bin/wine-copy-driver.exe" viewer &
    name=wine-copy-drive
  else
    "$WINE" "$bin/Lexidrop.exe" &
  fi
  loader_pid=$!
  sleep 3
  app_pid=$(prefix_process "$name")
  driver paced "$warmup" >/dev/null
}

stop() {
  driver quit >/dev/null || true
  wait "$loader_pid" || true
}

# Prints "program wineserver Xvfb total" in ms per copy of one paced run.
cpu_per_copy() {
  local a0 s0 x0 a1 s1 x1 copies
  a0=$(ticks "$app_pid") s0=$(ticks "$server_pid") x0=$(ticks "$xvfb_pid")
  copies=$(driver paced "$1")
  a1=$(ticks "$app_pid") s1=$(ticks "$server_pid") x1=$(ticks "$xvfb_pid")
  awk -v n="$copies" -v t="$tick_ms" -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) \
    'BEGIN { printf "%6.1f %10.1f %6.1f %6.1f", a*t/n, s*t/n, x*t/n, (a+s+x)*t/n }'
}

echo "CPU per copy in ms (copies 60 ms apart, default settings, window visible)"
printf '%-40s %6s %10s %6s %6s\n' "run" program wineserver Xvfb total
for texts in "$@"; do
  start viewer
  printf '%-40s %s\n' "bare viewer, $(basename "$texts")" "$(cpu_per_copy "$texts")"
  stop
  start lexidrop
  printf '%-40s %s\n' "Lexidrop, $(basename "$texts")" "$(cpu_per_copy "$texts")"
  stop
done

echo
echo "Burst of 100 copies 20 ms apart: ms from the last copy until line 0 shows it and WM_NULL returns"
for texts in "$@"; do
  start lexidrop
  printf '%-40s %s\n' "Lexidrop, $(basename "$texts")" "$(driver burst "$texts" 100 20)"
  stop
done
