#!/usr/bin/env bash
# Photographs the five secondary dialogs into docs/dialog-*.png, under Xvfb
# and a throw-away Wine prefix. Run after a win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
exe=$ROOT/build/win64/bin/dialog_screenshots.exe
[ -x "$exe" ] || { echo "build the win64 preset first" >&2; exit 1; }

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
# Without a window manager, Wine draws the captions itself only for windows it manages alone.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w

export ROOT work exe
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  /usr/lib/wine/wine64 "$exe" "Z:$(echo "$work" | tr / \\\\)" &
  for name in prefs interval display rating about; do
    for _ in $(seq 600); do [ -e "$work/$name.ready" ] && break; sleep 0.1; done
    import -window root "$work/$name.png"
    convert "$work/$name.png" -trim +repage "$ROOT/docs/dialog-$name.png"
    touch "$work/$name.done"
  done
  wait'
ls -l docs/dialog-*.png
