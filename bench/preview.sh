#!/usr/bin/env bash
# Times the preview pane, in one run: from selecting an entry to its picture
# drawn, for a 24-megapixel JPEG (6000 x 4000), a 4-megapixel PNG
# (2000 x 2000) and a 1920 x 1080 BMP, each selected RUNS times (default 10)
# in turn; and the longest time the window took to answer a message
# meanwhile. Velunda.exe runs under Wine with the preview on; preview_probe.exe
# selects and measures (see bench/preview_win.cpp).
# Runs under a private Xvfb when there is no DISPLAY.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
runs=${1:-10}
. bench/wine_bench.sh Velunda preview_probe

# Pictures like photographs (a fractal plasma: no long runs for the coders to
# exploit), made once per run.
convert -seed 1 -size 6000x4000 plasma:fractal -quality 90 "$data/a-24mp.jpg"
convert -seed 2 -size 2000x2000 plasma:fractal "$data/b-4mp.png"
convert -seed 3 -size 1920x1080 plasma:fractal -type TrueColor "BMP3:$data/c-2mp.bmp"

prepare_prefix
"$WINESERVER" -w
# One persistent server: the probe and Velunda then start alone.
"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
windir=$("$WINE" winepath -w "$data" 2>/dev/null | tr -d '\r')

python3 - "$data" "$windir" <<'PY'
import struct, sys
data, windir = sys.argv[1:]
def s(b): return bytes([len(b)]) + b
names = ["a-24mp.jpg", "b-4mp.png", "c-2mp.bmp"]
out = s(b"1.0") + struct.pack("<ii", len(names), 3 * len(names))
for name in names:
    out += s(f"{windir}\\{name}".encode("cp1252")) + s(name[-3:].encode()) + struct.pack("<i", 3)
open(f"{data}/list.vdl", "wb").write(out)
PY
velunda_settings "$windir\\list.vdl"
velunda_reg Preview REG_DWORD 1

echo "From selecting to the picture drawn, $runs times each (pane: its caption):"
"$WINE" "$bin/preview_probe.exe" "$("$WINE" winepath -w "$bin/Velunda.exe" 2>/dev/null | tr -d '\r')" \
  3 "$runs" </dev/null | tr -d '\r'
