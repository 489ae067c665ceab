#!/usr/bin/env bash
# Installs what is missing, builds both presets and the release zips and runs
# every test layer (native unit tests, Win32 tests under Wine, end-to-end
# tests of the real Lexidrop.exe under Wine + a private Xvfb, the zips
# unpacked into a fresh Wine prefix) through one CTest run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
bash scripts/package.sh

source scripts/wine-session.sh
lexidrop_session_start --xvfb

# One CTest tree over both builds gives one summary for all layers.
cat > build/CTestTestfile.cmake <<CTEST
subdirs("$PWD/build/native")
subdirs("$PWD/build/$LEXIDROP_WINDOWS_PRESET")
CTEST
ctest --test-dir build --output-on-failure -j2 "$@"
