#!/usr/bin/env bash
# Takes docs/main-window.png: Velunda.exe under Wine and Xvfb, with a list of
# ten files (every rating) opened through its own menu and file dialog, and
# one line selected; then docs/change-now.png, the same window with its
# Fond d'Ecran menu open at "Changer maintenant". Needs the win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

work=$(mktemp -d "${TMPDIR:-/tmp}/velunda-shot.XXXXXX")
export WINEPREFIX="$work/prefix"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
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

"$WINE" wineboot -i >/dev/null 2>&1
"$WINE" build/win64/bin/Velunda.exe >/dev/null 2>&1 &
sleep 4
# Fond d'Ecran > Ouvrir une liste..., then the file's name and Enter.
xdotool mousemove 85 32 click 1; sleep 1
xdotool mousemove 110 143 click 1; sleep 3
xdotool type --delay 20 "Z:${work//\//\\}\\demo.vdl"; sleep 0.5
xdotool key Return; sleep 2
# Select the fourth line.
xdotool mousemove 100 97 click 1; sleep 1
xdotool mousemove 600 500; sleep 0.5
import -window root "$work/root.png"
convert "$work/root.png" -trim +repage docs/main-window.png
# The menu open, its first item under the mouse.
xdotool mousemove 85 32 click 1; sleep 1
xdotool mousemove 110 52; sleep 1
import -window root "$work/root.png"
convert "$work/root.png" -trim +repage docs/change-now.png
echo "docs/main-window.png and docs/change-now.png written"
