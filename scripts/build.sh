#!/usr/bin/env bash
# Configures and builds: native (portable libraries, unit tests, dictionary,
# command-line tools), windows (Lexidrop.exe as shipped, 32-bit) and, where
# this machine cannot run 32-bit programs, windows-x64 for running under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
# Cache entries keyed by paths relative to the checkout, so clones share them.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
presets=(native windows)
[ "$LEXIDROP_WINDOWS_PRESET" = windows ] || presets+=("$LEXIDROP_WINDOWS_PRESET")
for preset in "${presets[@]}"; do
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
