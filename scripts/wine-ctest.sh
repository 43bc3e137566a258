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
# With the fonts a user sees: the main window measures its lines by them.
prepare_prefix || true
"$WINESERVER" -w
# One server, with Wine's services and desktop, for the whole run.
keep_server
# Unmanaged windows: with no window manager, Wine otherwise waits up to 2 s
# for every window that it hides.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true

# One at a time: the tests share the prefix's registry and desktop.
ctest --preset win64 --no-label-summary "$@"
