#!/usr/bin/env bash
# Screenshots of the main window and the settings and About dialogs at 96 and
# 144 DPI (docs/*-96dpi.png, docs/*-144dpi.png), each in a prefix of its own
# whose LogPixels gives that DPI. Run after scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
for dpi in 96 144; do
  (
    export LEXIDROP_WINEPREFIX=$PWD/build/wineprefix-${dpi}dpi
    source scripts/wine-session.sh
    lexidrop_session_start --xvfb
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    bin="build/$LEXIDROP_WINDOWS_PRESET/bin"
    probe() { "$WINE" "$bin/lexidrop-probe.exe" "$@" | tr -d '\r'; }
    shot() {  # shot NAME X Y WIDTH HEIGHT: that part of the screen
      import -window root -crop "${4}x${5}+${2}+${3}" +repage "docs/$1-${dpi}dpi.png"
      echo "docs/$1-${dpi}dpi.png"
    }
    # The default settings, the window wide enough for the sample's lines.
    "$WINE" reg delete 'HKCU\Software\Tessaloon\Lexidrop' /f >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Tessaloon\Lexidrop' /v WndWidth /t REG_DWORD /d $((300 * dpi / 96)) /f \
      >/dev/null 2>&1
    "$WINE" "$bin/Lexidrop.exe" &
    lexidrop_pid=$!
    probe wait 60
    probe copy 今日は良い天気です
    sleep 2
    shot window $(probe open window)
    import -window root "build/screen-${dpi}dpi.png"  # the whole screen, tray icon included
    shot settings $(probe open settings)
    probe close
    shot about $(probe open about)
    probe close
    probe quit
    wait "$lexidrop_pid" || true
  )
done
