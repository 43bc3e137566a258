#!/usr/bin/env bash
# Runs a test program ($2...) under Wine with the screen at $1 DPI, in the
# prefix of scripts/wine-ctest.sh; then gives the run back its 96 DPI and its server.
: "${WINEPREFIX:?run through scripts/wine-ctest.sh}"
. "$(dirname "$0")/../../scripts/wine-env.sh"
set_dpi "$1"
VELUNDA_DPI=$1 "$WINE" "${@:2}"
rc=$?
set_dpi 96
keep_server
exit $rc
