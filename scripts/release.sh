#!/usr/bin/env bash
# Builds every release artifact into build/release/: the installers
# Velunda-<version>-setup-x64.exe and -x86.exe, the portable archives
# Velunda-<version>-x64.zip and -x86.zip (Velunda.exe and readme.txt), and
# SHA256SUMS for those four files. The version is the CMake project's
# (project(Velunda VERSION ...) in CMakeLists.txt), and comes from nowhere else.
#
# With VELUNDA_DOWNLOAD_URL set to the web folder where these files will be
# published, it also writes the winget manifests (winget/) and the Scoop one
# (scoop/velunda.json) that name them there.
set -euo pipefail
cd "$(dirname "$0")/.."

out=$PWD/build/release
mkdir -p "$out"
# Files of an earlier version would outlive their checksums.
rm -f "$out"/Velunda-*.exe "$out"/Velunda-*.zip "$out"/SHA256SUMS
rm -rf "$out/winget" "$out/scoop"

files=()
for arch in x64 x86; do
  case $arch in
    x64) preset=win64 ;;
    x86) preset=win32 ;;
  esac
  echo "== release $arch"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Velunda velunda_readme -j "$(nproc)"
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
  IFS=. read -r major minor patch tweak <<<"$version"
  # Ship the program without its symbols, beside its readme.
  bin=$out/stage-$arch
  rm -rf "$bin" && mkdir -p "$bin"
  cp "build/$preset/bin/Velunda.exe" "build/$preset/bin/readme.txt" "$bin/"
  strip=x86_64-w64-mingw32-strip
  [ "$arch" = x86 ] && strip=i686-w64-mingw32-strip
  "$strip" "$bin/Velunda.exe"

  # -WX: a warning (a missing file, a bad define) is an error here too.
  makensis -V2 -WX -INPUTCHARSET UTF8 -DARCH="$arch" -DBINDIR="$bin" \
    -DVERSION="$version" -DVERSION4="$major.${minor:-0}.${patch:-0}.${tweak:-0}" \
    -DOUTFILE="$out/Velunda-$version-setup-$arch.exe" installer/velunda.nsi
  zip -q -X -j "$out/Velunda-$version-$arch.zip" "$bin/Velunda.exe" "$bin/readme.txt"
  files+=("Velunda-$version-setup-$arch.exe" "Velunda-$version-$arch.zip")
done

(cd "$out" && sha256sum "${files[@]}" >SHA256SUMS)
if [ -n "${VELUNDA_DOWNLOAD_URL:-}" ]; then
  python3 scripts/package_manifests.py "$out" "$version" "$VELUNDA_DOWNLOAD_URL"
else
  echo "No winget or Scoop manifest written: VELUNDA_DOWNLOAD_URL (their web folder) is not set."
fi
cd "$out" && ls -l "${files[@]}" SHA256SUMS
[ ! -d winget ] || ls -l winget/* scoop/*
