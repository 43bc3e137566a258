#!/usr/bin/env bash
# Builds Velunda when needed and starts it under Wine, in its own prefix, with
# a virtual display when there is none. Arguments go to Velunda.exe
# (for example /startup).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Velunda -j "$(nproc)" >/dev/null

export WINEPREFIX="${WINEPREFIX:-$HOME/.local/share/velunda/wine}"
mkdir -p "$WINEPREFIX"
with_display "$WINE" build/win64/bin/Velunda.exe "$@"
