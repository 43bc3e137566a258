#!/usr/bin/env bash
# The x64 installer under 64-bit Wine, in a fresh prefix: a silent install, an
# update refused while Velunda runs and one after it, and a silent uninstall;
# the user's settings and lists outlive them all, the logon shortcut all but
# the uninstall. The uninstall entry is compared with the winget manifest's.
# Usage: install_test.sh <setup.exe> <read_link.exe> <Velunda.exe as built>
# Needs a display.
set -uo pipefail
setup=$1 reader=$2 built=$3
[ "$built" -nt "$setup" ] && { echo "$setup is older than $built: run bash scripts/release.sh"; exit 1; }
(cd "$(dirname "$setup")" && sha256sum --strict -c SHA256SUMS) || { echo "FAIL: SHA256SUMS"; exit 1; }
. "$(dirname "$0")/../../scripts/wine-env.sh"
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velunda-release.XXXXXX")
export WINEPREFIX
log=$WINEPREFIX.log out=$WINEPREFIX.out
trap '"$WINESERVER" -k 2>/dev/null; rm -rf "$WINEPREFIX" "$log" "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Wine's output goes to files: a Wine server started with ctest's pipes would
# hold them open. `run` prints what the command wrote.
wine() { "$WINE" "$@" </dev/null >"$out" 2>>"$log"; }
run() { wine "$@"; local rc=$?; tr -d '\r' <"$out"; return $rc; }

wine wineboot -i && "$WINESERVER" -w
user=$(id -un)
dir=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Velunda
exe="C:\\users\\$user\\AppData\\Local\\Programs\\Velunda\\Velunda.exe"
menu_link="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velunda.lnk"
logon_link="${menu_link%/*}/StartUp/Velunda.lnk"
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velunda'
settings='HKCU\Software\Zarnovell Software'
next_link="${menu_link%.lnk} - fond suivant.lnk"

echo "== silent install, with its Start-menu shortcuts"; wine "$setup" /S && "$WINESERVER" -w
for want in "$menu_link=$exe|||$exe,0" "$next_link=$exe|/next||$exe,0"; do
  link=$(run "$reader" "Z:${want%%=*}"); [ "$link" = "${want#*=}" ] || fail "${want%%=*} reads '$link'"
done
# winget finds the installation by this entry: its key and values as the
# manifest names them.
manifest=${setup%/*}/winget/ZarnovellSoftware.Velunda.installer.yaml
if [ -f "$manifest" ]; then echo "== the uninstall entry as the winget manifest names it"
  named=$(python3 -c 'import sys, yaml
m = yaml.safe_load(open(sys.argv[1], encoding="utf-8"))
for e in m["AppsAndFeaturesEntries"]:
    for name in ("DisplayName", "Publisher", "DisplayVersion"):
        print(m["ProductCode"], name, e[name], sep="|")' "$manifest")
  [ -n "$named" ] || fail "$manifest names no uninstall entry"
  while IFS='|' read -r code name want; do
    got=$(run reg query "${entry%\\*}\\$code" /v "$name" | sed -n "s/^ *$name *REG_SZ *//p")
    [ "$got" = "$want" ] || fail "the uninstall entry $code has $name '$got', the manifest '$want'"
  done <<<"$named"
else echo "== no winget manifest to compare (release.sh ran without VELUNDA_DOWNLOAD_URL)"; fi
wine reg add "$settings\\Velunda\\1.0" /v Startup /t REG_DWORD /d 1 /f
before=$(run reg query "$settings" /s)
echo list >"$dir/Mes fonds.vdl"; echo link >"$logon_link"
kept() {
  [ "$(run reg query "$settings" /s)" = "$before" ] || fail "$1 changed the settings"
  [ -f "$dir/Mes fonds.vdl" ] || fail "$1 deleted a list"
}

echo "== an update while Velunda runs gives up with exit code 2, changing nothing"
"$WINE" "$dir/Velunda.exe" </dev/null >>"$log" 2>&1 & velunda=$!
# Until Velunda has started, the update goes through.
for _ in $(seq 30); do echo old >"$dir/readme.txt"; wine "$setup" /S; rc=$?; [ $rc = 0 ] || break; sleep 1; done
[ $rc = 2 ] && [ "$(cat "$dir/readme.txt")" = old ] || fail "the update gave exit code $rc"
kill $velunda && wait $velunda; "$WINESERVER" -w

echo "== an update over the installation"; wine "$setup" /S && "$WINESERVER" -w
cmp -s "$dir/readme.txt" "${built%/*}/readme.txt" || fail "the update did not replace readme.txt"
[ -f "$logon_link" ] || fail "the update removed the logon shortcut"
kept "the update"

echo "== silent uninstall, as the uninstall entry says"
quiet=$(run reg query "$entry" /v QuietUninstallString | sed -n 's/.*REG_SZ *"\(.*\)" \/S$/\1/p')
wine "$quiet" /S && "$WINESERVER" -w
for f in "$dir/Velunda.exe" "$dir/readme.txt" "$dir/Uninstall.exe" "$menu_link" "$next_link" "$logon_link"; do
  [ ! -e "$f" ] || fail "$f left behind"
done
run reg query "$entry" >/dev/null && fail "the uninstall entry left behind"
kept "the silent uninstall"

[ $failures = 0 ] && echo "all checks passed" || { cat "$log"; exit 1; }
