# Sourced by run.sh and test.sh: makes sure the Wine prefix exists, starts a
# private Xvfb when asked for (or when there is no display) and a persistent
# wineserver, and stops every process it started when the calling shell exits.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

lexidrop_session_pids=()

lexidrop_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in "${lexidrop_session_pids[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${lexidrop_session_pids[@]}"; do
    wait "$pid" >/dev/null 2>&1 || true
  done
  lexidrop_session_pids=()
}

# Starts Xvfb on the first free display number from 90 on and exports DISPLAY.
lexidrop_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  lexidrop_session_pids+=("$!")
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

lexidrop_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX ..."
    "$WINE" wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # One persistent wineserver for the whole session, started before anything
  # else talks to the prefix: a server started by a short command lingers a
  # few seconds, refuses a second (persistent) one and then goes away, so
  # every later program would pay for a new server and its services.
  wineserver -p >/dev/null 2>&1 || true  # fails only when one already runs
  # Without a window manager every hide or destroy of a managed window waits
  # two seconds for an answer that never comes; unmanaged windows do not wait.
  if [ "${LEXIDROP_WINDOW_MANAGED:-N}" = N ]; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  fi
  # The dialogs ask for the proportional "ＭＳ Ｐゴシック". Without a substitute
  # Wine falls back to the fixed-pitch IPAGothic, whose wider glyphs cut the
  # labels short; the proportional IPAPGothic has the intended metrics.
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
}

# Usage: lexidrop_session_start [--xvfb]
lexidrop_session_start() {
  trap lexidrop_session_stop EXIT
  if [ "${1:-}" = --xvfb ] || [ -z "${DISPLAY:-}" ]; then
    lexidrop_start_xvfb
  fi
  lexidrop_prepare_prefix
}
