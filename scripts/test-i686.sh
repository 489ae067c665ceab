#!/usr/bin/env bash
# Opt-in smoke test of the shipped 32-bit Lexidrop.exe, unpacked from the win32
# zip (CTest label i686; not
# part of scripts/test.sh). Where the kernel cannot execute 32-bit code, the
# 32-bit Wine loader runs under qemu-i386 user-mode emulation, registered with
# binfmt_misc for the length of this run only: while it is registered every
# 32-bit program on the machine goes through the emulator.
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

source scripts/wine-session.sh
lexidrop_session_start --xvfb  # the prefix is made before any emulation starts

binfmt=/proc/sys/fs/binfmt_misc
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
write_binfmt() { as_root tee "$1" >/dev/null; }
registered=0
unregister() {
  if [ "$registered" = 1 ]; then echo -1 | write_binfmt "$binfmt/qemu-i386"; fi
  lexidrop_session_stop
}
trap unregister EXIT
if [ "$emulate" = 1 ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/qemu-i386" ]; then
    # 32-bit x86 ELF executables and shared objects, with the emulator opened
    # at registration time (F) so that it works in every mount namespace.
    echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' | write_binfmt "$binfmt/register"
    registered=1
  fi
  echo "32-bit code runs under $(head -n2 "$binfmt/qemu-i386" | tail -n1)"
fi

cat >build/i686/CTestTestfile.cmake <<CTEST
add_test(I686.Smoke bash "$PWD/tests/i686/smoke_test.sh" "$PWD/$program_folder" "$PWD/build/windows-x64/bin/lexidrop-probe.exe")
set_tests_properties(I686.Smoke PROPERTIES LABELS i686 TIMEOUT 1800)
CTEST
ctest --test-dir build/i686 -L i686 -V "$@"
