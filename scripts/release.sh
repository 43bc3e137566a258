#!/usr/bin/env bash
# Builds every release artifact into build/release/: the installers
# Velunda-1.0-setup-x64.exe and -x86.exe, and the portable archives
# Velunda-1.0-x64.zip and -x86.zip (Velunda.exe and readme.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

version=1.0
out=$PWD/build/release
mkdir -p "$out"

for arch in x64 x86; do
  case $arch in
    x64) preset=win64 ;;
    x86) preset=win32 ;;
  esac
  echo "== release $arch"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Velunda velunda_readme -j "$(nproc)"
  # Ship the program without its symbols, beside its readme.
  bin=$out/stage-$arch
  rm -rf "$bin" && mkdir -p "$bin"
  cp "build/$preset/bin/Velunda.exe" "build/$preset/bin/readme.txt" "$bin/"
  strip=x86_64-w64-mingw32-strip
  [ "$arch" = x86 ] && strip=i686-w64-mingw32-strip
  "$strip" "$bin/Velunda.exe"

  # -WX: a warning (a missing file, a bad define) is an error here too.
  makensis -V2 -WX -INPUTCHARSET UTF8 -DARCH="$arch" -DBINDIR="$bin" \
    -DOUTFILE="$out/Velunda-$version-setup-$arch.exe" installer/velunda.nsi

  # zip adds to an existing archive: start afresh.
  rm -f "$out/Velunda-$version-$arch.zip"
  zip -q -X -j "$out/Velunda-$version-$arch.zip" "$bin/Velunda.exe" "$bin/readme.txt"
done

ls -l "$out"/*.exe "$out"/*.zip
