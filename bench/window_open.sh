#!/usr/bin/env bash
# Times Velunda's window from the start of the program until it is up with
# every entry listed, for startup lists of 0, 1,000, 10,000 and 50,000
# entries, and 50,000 with two equal entries (the list box then places every
# item itself), in one hyperfine run. Each run is window_up.exe starting
# Velunda.exe, waiting for its window to be shown with the whole list, and
# ending it. Then, ten times, "Ouvrir une liste..." of the 10,000 entries in a
# window opened empty, timed by window_up.exe from confirming the Open dialog
# to the list box holding every entry.
# Runs under a private Xvfb when there is no DISPLAY. Extra arguments go to
# hyperfine (e.g. --export-markdown FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
. bench/wine_bench.sh Velunda window_up

"$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
"$WINESERVER" -w
# One persistent server, as in the test runs: each program then starts alone.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
# Xvfb runs no window manager: Wine would wait 2 s for one to withdraw each
# window that closes (the Open dialog). Windows of its own, unmanaged, close at once.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /f /v Managed /t REG_SZ /d N >/dev/null 2>&1

# Lists of paths of 50 to 60 bytes, ratings 1 to 5, in no particular order
# (a list keeps the order in which files were added, not the window's); and
# 50,000 entries of which two are the same file with the same rating.
python3 - "$data" <<'PY'
import random, struct, sys
data = sys.argv[1]
def string(s):
    b = s.encode("cp1252")
    assert len(b) < 255
    return bytes([len(b)]) + b
def write(name, entries):
    random.Random(len(entries)).shuffle(entries)
    records = b"".join(string(p) + string("bmp") + struct.pack("<i", r) for p, r in entries)
    total = sum(r for _, r in entries)
    with open(f"{data}/{name}.vdl", "wb") as f:
        f.write(string("1.0") + struct.pack("<ii", len(entries), total) + records)
def entries(count):
    return [(f"C:\\Users\\Marie\\Images\\Album {i // 200:03}\\Photo {i:05}.bmp", 1 + i % 5)
            for i in range(count)]
for count in (0, 1000, 10000, 50000):
    write(f"list{count}", entries(count))
write("list50000-twice", entries(49999) + entries(1))
PY
windir=$("$WINE" winepath -w "$data" 2>/dev/null | tr -d '\r')
velunda=$("$WINE" winepath -w "$bin/Velunda.exe" 2>/dev/null | tr -d '\r')

# Settings that open the window as they are; window_up.exe sets FilelistPath.
velunda_settings "$windir\\list0.vdl"
velunda_reg LastDays REG_DWORD 0
velunda_reg LastStartup REG_DWORD 0

# window_up.exe VELUNDA.EXE LIST COUNT, quoted for hyperfine (the paths hold backslashes).
up() { echo "$WINE '$bin/window_up.exe' '$velunda' '$windir\\$1.vdl' $2"; }
[ $# -gt 0 ] || set -- --warmup 2 --runs 10
hyperfine -N "$@" \
  -n "0 entries" "$(up list0 0)" \
  -n "1,000 entries" "$(up list1000 1000)" \
  -n "10,000 entries" "$(up list10000 10000)" \
  -n "50,000 entries" "$(up list50000 50000)" \
  -n "50,000 entries, one listed twice" "$(up list50000-twice 50000)"

echo
echo '"Ouvrir une liste..." of 10,000 entries in a window opened empty:'
for _ in $(seq 10); do
  "$WINE" "$bin/window_up.exe" "$velunda" "$windir\\list0.vdl" 0 "$windir\\list10000.vdl" 10000 \
    </dev/null | tr -d '\r' || exit 1
done | sort -n -k5 | awk '{ ms[NR] = $5 } END { printf "min %d ms, median %d ms, max %d ms\n", ms[1], ms[int((NR + 1) / 2)], ms[NR] }'
