#!/usr/bin/env bash
# Opt-in smoke test of the shipped 32-bit Lexidrop.exe, unpacked from the win32
# zip (CTest label i686; not part of scripts/test.sh), in a Wine prefix of its
# own (build/i686/wineprefix). Where the kernel cannot execute 32-bit code, the
# whole test, the making of that prefix included, runs with Wine's 32-bit
# loader under qemu-i386 user-mode emulation (tests/i686/run_emulated.sh).
# --emulate uses the emulator even where 32-bit code runs natively.
# Extra arguments go to CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
emulate=0
if [ "${1:-}" = --emulate ]; then emulate=1; shift; fi
bash scripts/setup.sh --i686
source scripts/wine-env.sh
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true

# The shipped 32-bit program as the win32 zip holds it, and the 64-bit probe
# that drives it.
for preset in windows windows-x64; do
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
done
cmake --build --preset windows
cpack --preset windows >/dev/null
cmake --build --preset windows-x64 --target lexidrop-probe
zip=$(ls -t build/dist/Lexidrop-*-win32.zip | head -n1)
rm -rf build/i686/unpacked
mkdir -p build/i686/unpacked
unzip -q "$zip" -d build/i686/unpacked
program_folder=$(dirname "$(ls build/i686/unpacked/*/Lexidrop.exe)")

emulator=
if [ "$emulate" = 1 ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  emulator="bash \"$PWD/tests/i686/run_emulated.sh\""
fi
cat >build/i686/CTestTestfile.cmake <<CTEST
add_test(I686.Smoke $emulator bash "$PWD/tests/i686/smoke_test.sh" "$PWD/$program_folder" "$PWD/build/windows-x64/bin/lexidrop-probe.exe" "$PWD/build/i686/wineprefix")
set_tests_properties(I686.Smoke PROPERTIES LABELS i686 TIMEOUT 1800)
CTEST
ctest --test-dir build/i686 -L i686 -V "$@"
