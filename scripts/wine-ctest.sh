#!/usr/bin/env bash
# Runs ctest for the win64 build inside a Wine prefix made for this run alone,
# and removes the prefix afterwards. Needs a display (see test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velunda-test-wine.XXXXXX")
export WINEPREFIX
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

echo "Preparing the Wine prefix $WINEPREFIX"
"$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
"$WINESERVER" -w
# Keep one server, with Wine's services and desktop, for the whole run: each
# test program then starts in a fraction of a second. They are started here,
# detached from ctest's output pipes, which they would otherwise hold open.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
# Unmanaged windows: with no window manager, Wine otherwise waits up to 2 s
# for every window that it hides.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true

# One at a time: the tests share the prefix's registry and desktop.
ctest --preset win64 --no-label-summary "$@"
