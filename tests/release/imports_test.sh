#!/usr/bin/env bash
# The DLLs that each Velunda.exe given loads as it starts: kernel32, advapi32
# and the C runtime at most, so that a logon run with no change due loads
# nothing else. Every other DLL must be delay-loaded (cmake/DelayLoad.cmake).
# Usage: imports_test.sh <objdump> <Velunda.exe>...
set -euo pipefail
objdump=$1
shift
allowed=' advapi32.dll kernel32.dll msvcrt.dll '
status=0
for exe in "$@"; do
  # The names in the import table only: its section ends where the next begins.
  loaded=$("$objdump" -p "$exe" | awk '/^The Import Tables/ { on = 1; next } /^The / { on = 0 }
    on && sub(/^\tDLL Name: /, "") { print tolower($0) }')
  [ -n "$loaded" ] || { echo "$exe: no import table read"; status=1; }
  for dll in $loaded; do
    case $allowed in
      *" $dll "*) ;;
      *) echo "$exe loads $dll as it starts"; status=1 ;;
    esac
  done
done
exit $status
