#!/bin/sh
# Runs one Windows program under 64-bit Wine, quietly and without install prompts.
# Uses the prefix that the test run prepared (WINEPREFIX); without one, makes a
# throw-away prefix for this program alone and removes it afterwards.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velunda-wine.XXXXXX")
  export WINEPREFIX
  /usr/lib/wine/wine64 "$@"
  rc=$?
  /usr/lib/wine/wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
  exit $rc
fi
exec /usr/lib/wine/wine64 "$@"
