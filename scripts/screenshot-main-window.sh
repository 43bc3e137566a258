#!/usr/bin/env bash
# Takes docs/main-window.png: Velunda.exe under Wine, in a Wine desktop on a
# private Xvfb so that the window has its caption, icon and frame, with a list
# of ten files (every rating) opened through its own menu and file dialog, and
# one line selected; then docs/change-now.png, the same window with its
# Fond d'Ecran menu open at "Changer maintenant"; then docs/preview.png, the
# window with its preview pane on, showing the selected picture (the one
# file of the list that exists, drawn here). Needs the win64 build.
# With a DPI (e.g. 144), the screen is at that DPI (LogPixels) and only the
# window is taken, as docs/main-window-150.png (the scale in per cent).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

dpi=${1:-96}
scale=$((dpi * 100 / 96))
shot=docs/main-window.png
[ "$dpi" = 96 ] || shot=docs/main-window-$scale.png
screen=$((800 * scale / 100))x$((600 * scale / 100))
work=$(mktemp -d "${TMPDIR:-/tmp}/velunda-shot.XXXXXX")
export WINEPREFIX="$work/prefix"
start_xvfb "$screen"
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The list file: version "1.0", count, sum, then path, extension, rating.
python3 - "$work/demo.vdl" <<'PY'
import struct, sys
entries = [
    (r"C:\Images\Vacances\plage_de_Biarritz.bmp", 5),
    (r"C:\Images\Vacances\phare_d'Eckmühl.bmp", 4),
    (r"C:\Images\Montagne\lac_d'Annecy.bmp", 5),
    (r"C:\Images\Montagne\Mont_Blanc_hiver.bmp", 3),
    (r"C:\Images\Ville\Paris_la_nuit.bmp", 4),
    (r"C:\Images\Ville\Lyon_Fourvière.bmp", 2),
    (r"C:\Images\Divers\coucher_de_soleil.bmp", 3),
    (r"C:\Images\Divers\fleurs & papillons.bmp", 1),
    (r"C:\Images\Divers\vieux_fond.bmp", 2),
    (r"C:\Images\Ville\Marseille_port.bmp", 1),
]
def s(b): return bytes([len(b)]) + b
out = s(b"1.0") + struct.pack("<ii", len(entries), sum(r for _, r in entries))
for path, rating in entries:
    out += s(path.encode("cp1252")) + s(b"bmp") + struct.pack("<i", rating)
open(sys.argv[1], "wb").write(out)
PY

prepare_prefix
set_dpi "$dpi"
# The selected line's picture, a mountain lake at dusk, where the list says.
lake="$WINEPREFIX/drive_c/Images/Montagne/lac_d'Annecy.bmp"
mkdir -p "$(dirname "$lake")"
convert -size 1200x800 gradient:'#f6d365'-'#fda085' \
  -fill '#fff6d5' -draw 'circle 760,430 760,370' \
  -fill '#5b4a6b' -draw 'polygon 0,520 180,330 320,450 520,250 760,470 930,300 1200,520 1200,800 0,800' \
  \( -size 1200x280 gradient:'#3a6186'-'#1c2a44' \) -gravity south -composite \
  -type TrueColor "BMP3:$lake"
# Waits for a window of Velunda: $1 its caption ('' for any), $2 one to leave out.
wait_window() {
  for _ in $(seq 300); do find_window 'velunda\.exe' "$@" && return; sleep 0.1; done
  echo "no window '$1' of Velunda" >&2
  return 1
}
setsid "$WINE" explorer "/desktop=Velunda,$screen" build/win64/bin/Velunda.exe </dev/null >/dev/null 2>&1 &
main=$(wait_window Velunda)
sleep 1
# Fond d'Ecran > Ouvrir une liste..., then the file's name and Enter.
xdotool key alt+e; sleep 0.5; xdotool key o
open=$(wait_window '' "$main")
sleep 1
xdotool type --delay 20 "Z:${work//\//\\}\\demo.vdl"; sleep 0.5
xdotool key Return
while xdotool getwindowname "$open" >/dev/null 2>&1 && find_window 'velunda\.exe' '' "$main" >/dev/null; do
  sleep 0.1
done
sleep 1
# Select the fourth line from the keyboard, whatever the lines' height.
xdotool key Home Down Down Down; sleep 0.5
import -window "$main" "$shot"
if [ "$dpi" != 96 ]; then
  echo "$shot written"
  exit 0
fi
# The menu opened from the keyboard: its first item is highlighted. The menu
# is a window of its own: take the screen where the main window lies.
xdotool key alt+e; sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/change-now.png
# Out of the menu, then Fond d'Ecran > Aperçu: the window widens by the pane.
xdotool key Escape Escape; sleep 0.5
xdotool key alt+e; sleep 0.5; xdotool key p; sleep 2
xdotool mousemove 790 590; sleep 0.5
import -window "$main" docs/preview.png
echo "docs/main-window.png, docs/change-now.png and docs/preview.png written"
