# Sourced by the scripts: the environment of every Wine run.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Runs "$@" with a display: the current one, or a private Xvfb.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}

# Makes $WINEPREFIX when it is new, and gives it Wine's own fonts: Tahoma for
# the dialogs, Marlett for the caption buttons (without it they show letters).
# Debian's Wine finds them only in the prefix's Fonts folder, so they are
# linked there.
prepare_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] || "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  ln -sf /usr/share/wine/fonts/* "$fonts/"
}

# Sets the screen's DPI in $WINEPREFIX (LogPixels; 96 removes the value). Only
# a new Wine server reads it: the running one is ended.
set_dpi() {
  local desktop='HKCU\Control Panel\Desktop'
  if [ "$1" = 96 ]; then
    "$WINE" reg delete "$desktop" /v LogPixels /f
  else
    "$WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f
  fi </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w
}

# Keeps one server, with Wine's services and desktop, until it is ended: each
# program then starts in a fraction of a second. They are started detached
# from the caller's output, which they would otherwise hold open.
keep_server() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Starts a private Xvfb of size $1 (WxH) on a free display and exports its
# DISPLAY; XVFB_PID holds its process. setsid keeps the terminal's Ctrl+C away
# from it, so that the caller ends it in order.
start_xvfb() {
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    # Another program may have taken the display meanwhile: then Xvfb ends.
    for _ in $(seq 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "no virtual screen could be started" >&2
  return 1
}

# Prints the X window of a Wine program's visible top-level window:
# $1 the program's file name as a pattern ('velunda\.exe'), $2 the caption
# (any caption when empty), $3 a window to leave out.
find_window() {
  local w
  for w in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null); do
    [ "$w" = "${3:-}" ] && continue
    [ -z "$2" ] || [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ] || continue
    echo "$w"
    return 0
  done
  return 1
}
