#!/usr/bin/env bash
# The DLLs that each Velunda.exe given loads as it starts: kernel32, advapi32
# and the C runtime at most, so that a logon run with no change due loads
# nothing else. Every other DLL must be delay-loaded (cmake/DelayLoad.cmake).
# And no ANSI ("...A") Windows function, imported as it starts or
# delay-loaded: text goes through the wide calls, so that no code page, the
# UTF-8 one included, changes it. Only those that the C runtime and the
# delay-load helper bring in themselves are allowed.
# Usage: imports_test.sh <objdump> <nm> <folder of the import libraries> <Velunda.exe>...
set -euo pipefail
objdump=$1 nm=$2 libs=$3
shift 3
allowed=' advapi32.dll kernel32.dll msvcrt.dll '
allowed_ansi=' GetStartupInfoA GetModuleHandleA GetCommandLineA LoadLibraryA CreateEventA CreateSemaphoreA OutputDebugStringA '
# Every ANSI function that the system DLLs export, so that other strings of
# the binary that end in "A" do not count.
ansi=$(for dll in kernel32 advapi32 user32 gdi32 shell32 ole32 comdlg32 comctl32; do
  "$nm" --defined-only "$libs/lib$dll.a" | awk '$2 == "T" && /A$/ { print $3 }'
done)
status=0
for exe in "$@"; do
  # The names in the import table only: its section ends where the next begins.
  loaded=$("$objdump" -p "$exe" | awk '/^The Import Tables/ { on = 1; next } /^The / { on = 0 }
    on && sub(/^\tDLL Name: /, "") { print tolower($0) }')
  [ -n "$loaded" ] || { echo "$exe: no import table read"; status=1; }
  for dll in $loaded; do
    case $allowed in *" $dll "*) ;; *) echo "$exe loads $dll as it starts"; status=1 ;; esac
  done
  # Function names follow a two-byte hint, which strings may take for part of the name.
  named=$(strings -a "$exe" | awk 'NR == FNR { ansi[$0]; next }
    { for (cut = 1; cut <= 3; ++cut) if (substr($0, cut) in ansi) { print substr($0, cut); break } }' \
    <(echo "$ansi") - | sort -u)
  for name in $named; do
    case $allowed_ansi in *" $name "*) ;; *) echo "$exe names $name"; status=1 ;; esac
  done
done
exit $status
