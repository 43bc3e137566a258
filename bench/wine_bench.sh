# Sourced by the benchmarks that run Velunda under Wine, from the project's
# root: builds the win64 programs named as arguments (Velunda among them), and
# makes a throw-away Wine prefix and data folder ($data), removed at the end.
# The caller makes sure there is a display.
. scripts/wine-env.sh
cmake --preset win64 -DVELUNDA_BUILD_BENCH=ON >/dev/null
cmake --build --preset win64 -j2 --target "$@" >/dev/null
bin=$PWD/build/win64/bin

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velunda-bench-wine.XXXXXX")
export WINEPREFIX
data=$(mktemp -d "${TMPDIR:-/tmp}/velunda-bench-data.XXXXXX")
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$data"
}
trap cleanup EXIT

# Writes a value of Velunda's settings key in the prefix.
velunda_reg() {
  "$WINE" reg add 'HKCU\Software\Zarnovell Software\Velunda\1.0' /f /v "$1" /t "$2" /d "$3" \
    >/dev/null 2>&1
}
# Settings that open the window as they are, with the startup list $1.
velunda_settings() {
  velunda_reg FilelistPath REG_SZ "$1"
  velunda_reg Startup REG_DWORD 0
  velunda_reg TimeType REG_SZ days
  velunda_reg NumDays REG_DWORD 1
  velunda_reg NumStartup REG_DWORD 1
}
