#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the project's prefix
# (CTest's emulator for every Windows test). Wine's console ends lines in
# CRLF; the CRs are dropped so that CTest and GoogleTest read plain lines.
# Now and then Wine fails to start a program at all (it exits at once and the
# program prints nothing, not even GoogleTest's first line); such a start is
# tried once more, so that only the program's own result counts.
set -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
printed=$(mktemp)
trap 'rm -f "$printed"' EXIT
started=$SECONDS
"$WINE" "$@" | tr -d '\r' | tee "$printed"
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$printed" ] && [ $((SECONDS - started)) -lt 2 ]; then
  echo "wine-exec: Wine did not start $1; starting it again" >&2
  "$WINE" "$@" | tr -d '\r'
  status=$?
fi
exit "$status"
