#!/usr/bin/env bash
# No ANSI ("...A") Windows function in any Velunda.exe given, whether imported
# as it starts or delay-loaded: text goes through the wide ("...W") calls, so
# no code page, Windows' UTF-8 one included, changes it. Only those that the C
# runtime and the delay-load helper bring in themselves are allowed.
# Usage: ansi_names_test.sh <nm> <folder of the import libraries> <Velunda.exe>...
set -euo pipefail
nm=$1 libs=$2
shift 2
allowed=' GetStartupInfoA GetModuleHandleA GetCommandLineA LoadLibraryA CreateEventA
  CreateSemaphoreA OutputDebugStringA '
# Every ANSI function that the system DLLs export: names that a Windows
# function has, whatever else in the binary happens to end in "A".
ansi=$(for dll in kernel32 advapi32 user32 gdi32 shell32 ole32 comdlg32 comctl32; do
  "$nm" --defined-only "$libs/lib$dll.a" | awk '$2 == "T" && /A$/ { print $3 }'
done | sort -u)
[ -n "$ansi" ] || { echo "no export names read from $libs"; exit 1; }
status=0
for exe in "$@"; do
  # Names appear in the import tables (load-time and delay-loaded) after a
  # two-byte hint, which strings may take for part of the name.
  found=$(strings -a "$exe" | awk 'NR == FNR { ansi[$0] = 1; next }
    { for (cut = 0; cut <= 2; ++cut) if (substr($0, cut + 1) in ansi) { print substr($0, cut + 1); break } }' \
    <(echo "$ansi") - | sort -u)
  for name in $found; do
    case $allowed in
      *" $name "* | *" $name"$'\n'*) ;;
      *) echo "$exe names $name"; status=1 ;;
    esac
  done
done
exit $status
