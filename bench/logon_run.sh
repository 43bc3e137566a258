#!/usr/bin/env bash
# Times a logon run (Velunda.exe /startup, a change due, a 1,000-entry list of
# bitmaps) against a program that does nothing and one that does nothing but
# load user32, all started the same way under Wine, in one hyperfine run.
# Extra arguments go to hyperfine (e.g. --export-markdown FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

cmake --preset win64 -DVELUNDA_BUILD_BENCH=ON >/dev/null
cmake --build --preset win64 -j2 --target Velunda trivial trivial_user32 >/dev/null
bin=$PWD/build/win64/bin

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velunda-bench-wine.XXXXXX")
export WINEPREFIX
data=$(mktemp -d "${TMPDIR:-/tmp}/velunda-bench-data.XXXXXX")
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$data"
}
trap cleanup EXIT

"$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
"$WINESERVER" -w
# One persistent server, as in the test runs: each program then starts alone.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true

# 1,000 small bitmaps and the list file naming them, ratings 1 to 5 in turn.
windir=$("$WINE" winepath -w "$data" 2>/dev/null | tr -d '\r')
python3 - "$data" "$windir" <<'PY'
import struct, sys
data, windir = sys.argv[1], sys.argv[2]
bmp = (b"BM" + struct.pack("<IHHI", 58, 0, 0, 54)
       + struct.pack("<IiiHHIIiiII", 40, 1, 1, 1, 24, 0, 4, 2835, 2835, 0, 0)
       + b"\x20\x40\x80\x00")
def string(s):
    b = s.encode("cp1252")
    assert len(b) < 255
    return bytes([len(b)]) + b
records, total = b"", 0
for i in range(1000):
    open(f"{data}/fond{i:04}.bmp", "wb").write(bmp)
    rating = 1 + i % 5
    total += rating
    records += string(f"{windir}\\fond{i:04}.bmp") + string("bmp") + struct.pack("<i", rating)
open(f"{data}/Velunda.dat", "wb").write(string("1.0") + struct.pack("<ii", 1000, total) + records)
PY

# "startup" every logon: each run is a change (the counter goes back to 0).
key='HKCU\Software\Zarnovell Software\Velunda\1.0'
reg() { "$WINE" reg add "$key" /f /v "$1" /t "$2" /d "$3" >/dev/null 2>&1; }
reg FilelistPath REG_SZ "$windir\\Velunda.dat"
reg Startup REG_DWORD 0
reg TimeType REG_SZ startup
reg NumDays REG_DWORD 1
reg NumStartup REG_DWORD 1
reg LastDays REG_DWORD 0
reg LastStartup REG_DWORD 0

hyperfine -N --warmup 5 "${@:---runs=50}" \
  -n "Velunda.exe /startup" "$WINE $bin/Velunda.exe /startup" \
  -n "trivial.exe /startup" "$WINE $bin/trivial.exe /startup" \
  -n "trivial_user32.exe /startup" "$WINE $bin/trivial_user32.exe /startup"

# The runs above must have set the wallpaper to one of the listed files.
"$WINE" reg query 'HKCU\Control Panel\Desktop' /v Wallpaper 2>/dev/null | grep -i 'fond[0-9]*\.bmp' \
  || { echo "the logon run did not set the wallpaper" >&2; exit 1; }
