#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the project's prefix
# (CTest's emulator for every Windows test). Wine's console ends lines in
# CRLF; the CRs are dropped so that CTest and GoogleTest read plain lines.
set -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
"$WINE" "$@" | tr -d '\r'
