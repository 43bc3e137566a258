#!/usr/bin/env bash
# The x64 installer under 64-bit Wine, in a fresh prefix: a silent install, an
# interactive run of the installed program, an update over it and a silent
# uninstall, each checked for what it must leave behind and what it must keep.
# Usage: install_test.sh <setup.exe> <run_installed.exe> <Velunda.exe as built>
# Needs a display.
set -uo pipefail
setup=$1 runner=$2 built=$3
version=$(basename "$setup" | sed 's/^Velunda-\(.*\)-setup-x64\.exe$/\1/')
here=$(cd "$(dirname "$0")" && pwd)

if [ "$built" -nt "$setup" ]; then
  echo "$setup is older than $built: run bash scripts/release.sh"
  exit 1
fi
(cd "$(dirname "$setup")" && sha256sum --strict -c SHA256SUMS) || { echo "FAIL: SHA256SUMS"; exit 1; }

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velunda-release.XXXXXX")
export WINEPREFIX
work=$WINEPREFIX.work
mkdir -p "$work"
cleanup() {
  "$WINESERVER" -k 2>/dev/null
  rm -rf "$WINEPREFIX" "$work"
}
trap cleanup EXIT

failures=0
step() { echo "== $1 (at ${SECONDS} s)"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Wine's own output goes to a file: a Wine server started with ctest's pipes
# would hold them open.
wine() { "$WINE" "$@" </dev/null >>"$work/wine.log" 2>&1; }
# Reads one registry key's values (one Wine start), for the checks below.
read_key() {
  key=$1
  "$WINE" reg query "$key" </dev/null >"$work/key" 2>>"$work/wine.log" || : >"$work/key"
}
# Prints a value's data from the key last read; fails when it is missing.
value_of() {
  tr -d '\r' <"$work/key" | sed -n "s/^ *$1 \{4\}REG_[A-Z_]* \{4\}//p" | grep .
}
expect_value() {  # name expected
  local got
  got=$(value_of "$1") || { fail "no value $1 in $key"; return; }
  [ "$got" = "$2" ] || fail "$key $1 is '$got', expected '$2'"
}
reg_tree() {
  "$WINE" reg query "$1" /s </dev/null >"$work/reg" 2>>"$work/wine.log"
  tr -d '\r' <"$work/reg"
}
key_exists() {
  "$WINE" reg query "$1" </dev/null >/dev/null 2>>"$work/wine.log"
}
expect_link() {  # .lnk file, target, arguments
  [ -f "$1" ] || { fail "no shortcut $1"; return; }
  local got
  got=$(python3 "$here/read_lnk.py" "$1" | paste -sd'|')
  [ "$got" = "$2|$3" ] || fail "$1 points at '$got', expected '$2|$3'"
}

wine wineboot -i
"$WINESERVER" -w

user=$(id -un)
home=$WINEPREFIX/drive_c/users/$user
dir=$home/AppData/Local/Programs/Velunda
win_dir="C:\\users\\$user\\AppData\\Local\\Programs\\Velunda"
menu_link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velunda.lnk"
logon_link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp/Velunda.lnk"
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velunda'
settings='HKCU\Software\Zarnovell Software'

step "silent install"
wine "$setup" /S
"$WINESERVER" -w
for f in Velunda.exe readme.txt Uninstall.exe; do
  [ -f "$dir/$f" ] || fail "$f not installed"
done
expect_link "$menu_link" "$win_dir\\Velunda.exe" ""
expect_link "${menu_link%.lnk} - fond suivant.lnk" "$win_dir\\Velunda.exe" "/next"
read_key "$entry"
expect_value DisplayName "Velunda"
expect_value DisplayVersion "$version"
expect_value Publisher "Zarnovell Software"
expect_value DisplayIcon "$win_dir\\Velunda.exe,0"
expect_value UninstallString "\"$win_dir\\Uninstall.exe\""
expect_value QuietUninstallString "\"$win_dir\\Uninstall.exe\" /S"
expect_value NoModify 0x1
expect_value NoRepair 0x1
! key_exists "$settings" || fail "the installer wrote settings"

# The portable archive holds the same two files, and nothing else.
python3 - "$(dirname "$setup")/Velunda-$version-x64.zip" "$dir" <<'PY' || fail "the x64 archive differs from the installed files"
import os, sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
assert sorted(archive.namelist()) == ["Velunda.exe", "readme.txt"]
for name in archive.namelist():
    with open(os.path.join(sys.argv[2], name), "rb") as installed:
        assert archive.read(name) == installed.read(), name
PY

step "interactive run of the installed program, closed with the logon start on"
# A first run takes the defaults, the logon start among them. While its window
# is open, an update must give up rather than leave the old program behind.
hold=$work/window-open
"$WINE" "$runner" "$win_dir\\Velunda.exe" "Z:$hold" </dev/null >"$work/runner" 2>&1 &
runner_pid=$!
for _ in $(seq 600); do
  [ -e "$hold" ] || ! kill -0 $runner_pid 2>/dev/null && break
  sleep 0.1
done
if [ -e "$hold" ]; then
  echo "old" >"$dir/readme.txt"
  wine "$setup" /S
  rc=$?
  [ $rc -ne 0 ] || fail "an update while the program runs reported success"
  [ "$(cat "$dir/readme.txt")" = "old" ] || fail "an update while the program runs changed files"
  rm -f "$hold"
else
  fail "the installed program showed no window"
fi
wait $runner_pid || fail "the interactive run failed: $(cat "$work/runner")"
"$WINESERVER" -w
read_key "$settings\\Velunda\\1.0"
expect_value Startup 0x1
expect_link "$logon_link" "$win_dir\\Velunda.exe" "/startup"

# The user's lists: the default one in Documents, and one saved beside the program.
mkdir -p "$home/Documents"
echo "list" >"$home/Documents/Velunda.dat"
echo "list" >"$dir/Mes fonds.vdl"
lists_kept() {
  [ -f "$home/Documents/Velunda.dat" ] || fail "$1 deleted Documents\\Velunda.dat"
  [ -f "$dir/Mes fonds.vdl" ] || fail "$1 deleted the list saved in the program's folder"
}
reg_tree "$settings" >"$work/settings.before"
grep -q Startup "$work/settings.before" || fail "no settings to keep"

step "second install over the first"
echo "old" >"$dir/readme.txt"
wine "$setup" /S
"$WINESERVER" -w
cmp -s "$dir/readme.txt" "$(dirname "$built")/readme.txt" ||
  fail "the update did not replace readme.txt"
reg_tree "$settings" | diff "$work/settings.before" - || fail "the update changed the settings"
[ -f "$logon_link" ] || fail "the update removed the logon shortcut"
lists_kept "the update"
read_key "$entry"
expect_value DisplayVersion "$version"

step "silent uninstall, as the entry says"
read_key "$entry"
quiet=$(value_of QuietUninstallString)
# "C:\...\Uninstall.exe" /S: the uninstaller copies itself away and removes
# the original, so wait for every Wine process to end.
uninstaller=$(sed -n 's/^"\(.*\)" \/S$/\1/p' <<<"$quiet")
[ -n "$uninstaller" ] || fail "QuietUninstallString is '$quiet'"
wine "$uninstaller" /S
"$WINESERVER" -w
for f in Velunda.exe readme.txt Uninstall.exe; do
  [ ! -e "$dir/$f" ] || fail "$f left behind"
done
[ ! -e "$menu_link" ] || fail "Start-menu shortcut left behind"
[ ! -e "${menu_link%.lnk} - fond suivant.lnk" ] || fail "second Start-menu shortcut left behind"
[ ! -e "$logon_link" ] || fail "logon shortcut left behind"
! key_exists "$entry" || fail "uninstall entry left behind"
reg_tree "$settings" | diff "$work/settings.before" - || fail "the silent uninstall changed the settings"
lists_kept "the uninstall"

if [ $failures -ne 0 ]; then
  echo "--- Wine output"
  cat "$work/wine.log"
  exit 1
fi
echo "all checks passed"
