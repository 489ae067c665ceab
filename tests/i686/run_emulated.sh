#!/usr/bin/env bash
# Runs a command with every 32-bit x86 program it starts executed by qemu-i386
# user-mode emulation, registered with binfmt_misc (which the kernel consults
# before its own loader for 32-bit programs, so this works whether or not the
# kernel can execute them itself).
# Where the kernel gives each user namespace a binfmt_misc of its own (Linux
# 6.7 and later), the command runs in a new user and mount namespace: the
# registration is seen by the command alone and ends with it. Elsewhere the
# emulator is registered for the whole machine (as root) while the command
# runs, and every 32-bit program on the machine goes through it meanwhile.
# Usage: run_emulated.sh COMMAND [ARGS...]
set -euo pipefail
binfmt=/proc/sys/fs/binfmt_misc
# 32-bit x86 ELF executables and shared objects; the emulator is opened at
# registration time (F), so it is found from every mount namespace.
rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'

namespace=(unshare --user --map-root-user --mount)
if "${namespace[@]}" mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
  echo "32-bit programs run under qemu-i386 (registered for this test only)"
  exec "${namespace[@]}" bash -c \
    'mount -t binfmt_misc binfmt_misc "$1" && echo "$2" >"$1/register" && shift 2 && exec "$@"' \
    run_emulated "$binfmt" "$rule" "$@"
fi

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
[ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
registered=0
if [ ! -e "$binfmt/qemu-i386" ]; then
  echo "$rule" | as_root tee "$binfmt/register" >/dev/null
  registered=1
fi
trap '[ "$registered" = 0 ] || echo -1 | as_root tee "$binfmt/qemu-i386" >/dev/null' EXIT
echo "32-bit programs run under $(sed -n "s/^interpreter //p" "$binfmt/qemu-i386") (registered for the whole machine)"
"$@"
