#!/usr/bin/env bash
# Photographs the five secondary dialogs into docs/dialog-*.png, each with its
# caption, icon and frame: in a Wine desktop on a private Xvfb, with a
# throw-away Wine prefix. Run after a win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
exe=build/win64/bin/dialog_screenshots.exe
[ -x "$exe" ] || { echo "build the win64 preset first" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/velunda-shot.XXXXXX")
export WINEPREFIX=$work/prefix
start_xvfb 800x600
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

prepare_prefix
setsid "$WINE" explorer /desktop=Velunda,800x600 "$exe" "Z:${work//\//\\}" </dev/null >/dev/null 2>&1 &
for name in prefs interval display rating about; do
  for _ in $(seq 600); do [ -e "$work/$name.ready" ] && break; sleep 0.1; done
  import -window "$(find_window 'dialog_screenshots\.exe' '')" "docs/dialog-$name.png"
  touch "$work/$name.done"
done
ls -l docs/dialog-*.png
