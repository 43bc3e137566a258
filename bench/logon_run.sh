#!/usr/bin/env bash
# Times the two logon runs (Velunda.exe /startup with a 1,000-entry list of
# bitmaps) against their floors, the programs that make only the system calls
# a run needs, in one hyperfine run under Wine:
#   - a change due:    floor_change.exe reads the settings key and sets a bitmap;
#   - no change due:   floor_no_change.exe reads the settings key;
#   - trivial.exe, which only starts, for scale.
# The programs take turns, one run at a time, so that the machine's changing
# load falls on all of them alike; each round gives one ratio per case, and the
# script prints their medians. ROUNDS (default 21) sets the number of rounds.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
# The session's stand-in window below needs a display.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a bash "$0" "$@"
rounds=${ROUNDS:-21}

cmake --preset win64 -DVELUNDA_BUILD_BENCH=ON >/dev/null
cmake --build --preset win64 -j2 --target Velunda trivial floor_change floor_no_change >/dev/null
bin=$PWD/build/win64/bin

# One Wine prefix per case: the settings key differs.
work=$(mktemp -d "${TMPDIR:-/tmp}/velunda-bench.XXXXXX")
due=$work/due
idle=$work/idle
data=$work/data
mkdir "$due" "$idle" "$data"
cleanup() {
  WINEPREFIX=$due "$WINESERVER" -k 2>/dev/null || true
  WINEPREFIX=$idle "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A new user's prefix, with one persistent server, as in the test runs: each
# program then starts alone. A window stays open, as a logon session's shell
# does; without one, Wine closes the desktop a second after the last program
# that used it, and the next program that loads user32 starts it again.
for prefix in "$due" "$idle"; do
  export WINEPREFIX=$prefix
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
  "$WINE" notepad </dev/null >/dev/null 2>&1 &
done

# 1,000 small bitmaps and the list file naming them, ratings 1 to 5 in turn,
# and one more bitmap, not listed, for the floor.
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
open(f"{data}/floor.bmp", "wb").write(bmp)
open(f"{data}/Velunda.dat", "wb").write(string("1.0") + struct.pack("<ii", 1000, total) + records)
PY

key='HKCU\Software\Zarnovell Software\Velunda\1.0'
reg() { WINEPREFIX=$1 "$WINE" reg add "$key" /f /v "$2" /t "$3" /d "$4" >/dev/null 2>&1; }
query() { WINEPREFIX=$1 "$WINE" reg query "$2" /v "$3" 2>/dev/null | tr -d '\r' | grep -i "$3"; }
for prefix in "$due" "$idle"; do
  reg "$prefix" FilelistPath REG_SZ "$windir\\Velunda.dat"
  reg "$prefix" Startup REG_DWORD 0
  reg "$prefix" NumStartup REG_DWORD 1
  reg "$prefix" LastStartup REG_DWORD 0
done
# Due: "startup" every logon, so each run is a change (the counter goes back to 0).
reg "$due" TimeType REG_SZ startup
reg "$due" NumDays REG_DWORD 1
reg "$due" LastDays REG_DWORD 0
# Idle: every 7 days, the last change today.
reg "$idle" TimeType REG_SZ days
reg "$idle" NumDays REG_DWORD 7
reg "$idle" LastDays REG_DWORD "$(date -d 00:00 +%s)"

run() { WINEPREFIX=$1 "$WINE" "${@:2}" </dev/null >/dev/null 2>&1; }
# Warm-up, and a check that each case does what it should: the due run sets a
# listed bitmap, the idle run changes nothing.
for _ in 1 2 3; do
  run "$due" "$bin/Velunda.exe" /startup
  run "$due" "$bin/floor_change.exe" "$windir\\floor.bmp"
  run "$idle" "$bin/Velunda.exe" /startup
  run "$idle" "$bin/floor_no_change.exe"
  run "$idle" "$bin/trivial.exe"
done
run "$due" "$bin/Velunda.exe" /startup
query "$due" 'HKCU\Control Panel\Desktop' Wallpaper | grep -qi 'fond[0-9]*\.bmp' \
  || { echo "the logon run did not set the wallpaper" >&2; exit 1; }
before=$(query "$idle" "$key" LastDays)
run "$idle" "$bin/Velunda.exe" /startup
[ "$(query "$idle" "$key" LastDays)" = "$before" ] \
  && ! query "$idle" 'HKCU\Control Panel\Desktop' Wallpaper | grep -qi 'fond' \
  || { echo "the logon run with no change due changed something" >&2; exit 1; }

# Commands for hyperfine -N: words as a shell splits them.
velunda_due="env WINEPREFIX=$due $WINE $bin/Velunda.exe /startup"
floor_due="env WINEPREFIX=$due $WINE $bin/floor_change.exe '$windir\\floor.bmp'"
velunda_idle="env WINEPREFIX=$idle $WINE $bin/Velunda.exe /startup"
floor_idle="env WINEPREFIX=$idle $WINE $bin/floor_no_change.exe"
trivial="env WINEPREFIX=$idle $WINE $bin/trivial.exe"
# Each round runs each pair twice, in both orders, so that what a run leaves
# behind (the desktop repainting a new wallpaper) falls on both sides alike.
json=$work/runs.json
hyperfine -N --runs 1 --parameter-scan round 1 "$rounds" --style none --export-json "$json" \
  "$velunda_due" "$floor_due" "$velunda_idle" "$floor_idle" "$trivial" \
  "$floor_due" "$velunda_due" "$floor_idle" "$velunda_idle"

python3 - "$json" "$velunda_due" "$floor_due" "$velunda_idle" "$floor_idle" "$trivial" <<'PY'
import collections, json, statistics, sys
velunda_due, floor_due, velunda_idle, floor_idle, trivial = sys.argv[2:]
# Per command and round, its wall times; per command, its CPU times.
wall = collections.defaultdict(lambda: collections.defaultdict(list))
cpu = collections.defaultdict(list)
for r in json.load(open(sys.argv[1]))["results"]:
    wall[r["command"]][r["parameters"]["round"]] += r["times"]
    cpu[r["command"]].append(r["user"] + r["system"])
def times(command):
    all_wall = [t for ts in wall[command].values() for t in ts]
    return f"{statistics.median(all_wall) * 1000:.0f} ms ({statistics.median(cpu[command]) * 1000:.0f} ms)"
def ratio(a, b):
    return statistics.median(sum(wall[a][k]) / sum(wall[b][k]) for k in wall[a])
print(f"{len(wall[trivial])} rounds; medians of wall time (CPU time), and of each round's ratio")
print("| logon run | Velunda.exe /startup | floor | ratio |")
print("|---|---|---|---|")
print(f"| change due | {times(velunda_due)} | {times(floor_due)} | {ratio(velunda_due, floor_due):.2f}× |")
print(f"| no change due | {times(velunda_idle)} | {times(floor_idle)} | {ratio(velunda_idle, floor_idle):.2f}× |")
print(f"| (trivial.exe) | | {times(trivial)} | |")
PY
