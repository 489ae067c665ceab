#!/bin/sh
# Compiles the help pages into Lexidrop.chm.
# Usage: build-chm.sh <source folder> <staging folder> <output .chm>
#
# The project and contents files are written in UTF-8 and handed to the
# compiler in Shift-JIS, the code page of a Japanese help file; the pages
# declare their own encoding and are copied unchanged.
#
# chmcmd stores the topics of [ALIAS] (the context-id targets) as absolute
# paths of the machine it runs on, which the help viewer cannot find inside
# the file. Run with the staging folder as its root directory, those paths
# come out as "/index.html", which is where the pages are. The compiler and
# the C libraries it loads are copied into the staging folder for that run.
set -eu
src=$1
stage=$2
out=$3

rm -rf "$stage"
mkdir -p "$stage"
for f in "$src"/*.html "$src"/*.css; do
  cp "$f" "$stage/"
done
for f in Lexidrop.hhp Lexidrop.hhc; do
  iconv -f UTF-8 -t CP932 "$src/$f" > "$stage/$f"
done

compiler=$(readlink -f "$(command -v chmcmd)")
cp "$compiler" "$stage/chmcmd"
for lib in $(ldd "$compiler" | grep -o '/[^ ]*'); do
  mkdir -p "$stage$(dirname "$lib")"
  cp -L "$lib" "$stage$lib"
  # The thread library is opened at run time, next to the C library.
  case "$lib" in
    */libc.so.*)
      pthread="$(dirname "$lib")/libpthread.so.0"
      [ -e "$pthread" ] && cp -L "$pthread" "$stage$pthread"
      ;;
  esac
done

run_rooted() {
  unshare --user --map-root-user --root="$stage" "$@" 2>/dev/null && return 0
  [ "$(id -u)" = 0 ] && chroot "$stage" "$@"
}
if ! run_rooted /chmcmd --no-html-scan --verbosity 0 /Lexidrop.hhp > "$stage/chmcmd.log" 2>&1; then
  cat "$stage/chmcmd.log" >&2
  echo "build-chm.sh: chmcmd could not run inside $stage (needs user namespaces or root)" >&2
  exit 1
fi
cp "$stage/Lexidrop.chm" "$out"
