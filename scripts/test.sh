#!/usr/bin/env bash
# Builds every preset and runs every test: the native tests (ASan, UBSan), a
# short fuzz run, then the Windows tests under Wine in a throw-away prefix,
# with a virtual display for the windows.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

bash scripts/install-deps.sh

jobs=$(nproc)
for preset in native win64 win32 fuzz; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
# The package manifests are written, and so tested, only with a download
# address: give them a test one (its last slash left for release.sh to add).
# The release files are the same either way.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
VELUNDA_DOWNLOAD_URL=${VELUNDA_DOWNLOAD_URL:-https://example.org/velunda/$version} \
  bash scripts/release.sh

echo "== native tests"
ctest --preset native -j "$jobs" --no-label-summary

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzz"
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
fi

echo "== Windows tests under Wine"
with_display bash scripts/wine-ctest.sh
