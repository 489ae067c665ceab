#!/usr/bin/env bash
# Builds the Windows programs and writes the release zips to build/dist/:
# Lexidrop-<version>-win32.zip (the 32-bit program that ships) and
# Lexidrop-<version>-win64.zip. Their contents are declared by the install
# rules in package/CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
for preset in windows windows-x64; do
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  cpack --preset "$preset" >/dev/null
done
ls -l build/dist/*.zip
