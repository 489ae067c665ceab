# Sourced by the project's scripts: the environment every Wine process of
# Lexidrop's build shares. Wine derives its ANSI code page from LC_CTYPE, so
# ja_JP.UTF-8 gives code page 932; LC_ALL stays unset so that Wine's own
# messages and `wine reg` output stay readable.
LEXIDROP_ROOT=${LEXIDROP_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${LEXIDROP_WINEPREFIX:-$LEXIDROP_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEARCH=win64
unset LC_ALL
export LC_CTYPE=ja_JP.UTF-8
# A test that runs under another system language names its locale here.
[ -z "${LEXIDROP_WINE_LC_ALL:-}" ] || export LC_ALL=$LEXIDROP_WINE_LC_ALL

# Debian's `wine` always starts the 32-bit loader once wine32 is installed.
# The 64-bit loader runs 64-bit programs directly and hands 32-bit ones to the
# 32-bit loader itself, so it serves both kinds.
export WINELOADER=/usr/lib/wine/wine64
WINE=$WINELOADER

# Lexidrop.exe is a 32-bit program. Some kernels (virtual machines with IA-32
# emulation switched off) cannot execute 32-bit code at all, so wine32 cannot
# run there; the same sources are then built and run as a 64-bit program.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  LEXIDROP_WINDOWS_PRESET=windows
else
  LEXIDROP_WINDOWS_PRESET=windows-x64
fi
