#!/usr/bin/env bash
# Checks the release zips as a user gets them: each holds one folder with the
# program, its data, the notices and readme.txt; the programs carry no debug
# sections and are 32-bit in the win32 zip; and the 64-bit zip, unpacked alone
# into a fresh Wine prefix, starts there and finds its dictionary and help.
# Usage: package_test.sh DIST_FOLDER VERSION_TEXT PROBE_EXE PLATFORM BIN_FOLDER
# (PLATFORM and BIN_FOLDER: the build whose licence notices its zip must hold)
set -euo pipefail
dist=$1
version=$2
probe_exe=$3
build_platform=$4
build_bin=$5
folder=Lexidrop-$version
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
fail() { echo "FAIL: $*" >&2; exit 1; }

# The PE header's machine field: 014c for i386, 8664 for x86-64.
pe_machine() {
  local header
  header=$(od -An -tu4 -j 60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j $((header + 4)) -N2 "$1" | tr -d ' '
}

required=(Lexidrop.exe Lexidrop.dic Lexidrop.chm lexidrop-lookup.exe LICENSE Lexidrop-IPADIC-LICENSE.txt readme.txt)
check_zip() {
  local platform=$1 machine=$2
  local zip=$dist/Lexidrop-$version-$platform.zip
  [ -f "$zip" ] || fail "$zip is missing (scripts/package.sh makes it)"
  local entries name
  entries=$(unzip -Z1 "$zip" | grep -v '/$')
  for name in "${required[@]}"; do
    grep -qxF "$folder/$name" <<<"$entries" || fail "$platform zip lacks $folder/$name"
  done
  # Besides those only further dictionaries and their notices.
  while read -r name; do
    case "$name" in
      "$folder"/*/*) fail "$platform zip: unexpected subfolder in $name" ;;
      "$folder"/Lexidrop*.dic | "$folder"/Lexidrop-*-LICENSE.txt) ;;
      *) printf '%s\n' "${required[@]/#/$folder/}" | grep -qxF "$name" || fail "$platform zip: unexpected $name" ;;
    esac
  done <<<"$entries"
  unzip -q "$zip" -d "$work/$platform"
  local program
  for program in Lexidrop.exe lexidrop-lookup.exe; do
    [ "$(pe_machine "$work/$platform/$folder/$program")" = "$machine" ] ||
      fail "$platform zip: $program is not for machine $machine"
    if x86_64-w64-mingw32-objdump -h "$work/$platform/$folder/$program" | grep -q '\.debug'; then
      fail "$platform zip: $program has debug sections"
    fi
  done
  echo "$platform zip: $(stat -c %s "$zip") bytes, $(wc -l <<<"$entries") files, programs for machine $machine"
}
check_zip win32 014c
check_zip win64 8664

# Every licence notice this build placed beside its dictionary is in its zip.
for notice in "$build_bin"/Lexidrop-*-LICENSE.txt; do
  [ -f "$work/$build_platform/$folder/$(basename "$notice")" ] ||
    fail "$build_platform zip lacks $(basename "$notice")"
done

# readme.txt: UTF-8 with a byte-order mark and CRLF line ends.
readme=$work/win32/$folder/readme.txt
[ "$(head -c3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "readme.txt has no UTF-8 byte-order mark"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "readme.txt has lines without CR"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "readme.txt is not UTF-8"

# The 64-bit zip unpacked alone into a new folder of a fresh prefix.
[ -n "${DISPLAY:-}" ] || fail "no X display (run through scripts/test.sh)"
export LEXIDROP_WINEPREFIX=$work/prefix
source "$root/scripts/wine-session.sh"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
lexidrop_prepare_prefix
app=$WINEPREFIX/drive_c/Unpacked
mkdir -p "$app"
unzip -q "$dist/Lexidrop-$version-win64.zip" -d "$app"
cd "$work"  # not the program's folder: it must find its files beside itself
probe() { "$WINE" "$probe_exe" "$@" | tr -d '\r'; }

lookup=$("$WINE" "$app/$folder/lexidrop-lookup.exe" 今日 | tr -d '\r')
grep -qx '1 きょう' <<<"$lookup" || fail "lexidrop-lookup.exe gave no reading: $lookup"

"$WINE" "$app/$folder/Lexidrop.exe" &
lexidrop=$!
probe wait 60 || fail "Lexidrop.exe from the zip shows no window"
probe copy 今日は良い天気です
lines=
for _ in $(seq 1 50); do
  lines=$(probe lines)
  grep -qx '1 きょうはよいてんきです' <<<"$lines" && break
  sleep 0.2
done
grep -qx '1 きょうはよいてんきです' <<<"$lines" || fail "no readings from the dictionary beside the program: $lines"
help=$(probe help 30) || fail "the help file beside the program did not open"
echo "help window: $help"
probe quit
status=0
wait "$lexidrop" || status=$?
[ "$status" = 0 ] || fail "Lexidrop.exe ended with status $status"
echo "the 64-bit zip runs from a fresh prefix: readings, help and exit work"
