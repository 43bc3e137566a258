#!/usr/bin/env bash
# Builds Velunda when needed and starts it under Wine, in its own prefix.
# Arguments go to Velunda.exe (for example /startup).
#
# With no display, Velunda runs on a virtual screen (Xvfb, holding a Wine
# desktop): once its window is up, a picture of the screen is saved, and
# Ctrl+C ends Velunda with nothing of it left running. After /startup, what
# the logon run did is read back from the registry and from the screen.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Velunda -j "$(nproc)" >/dev/null

export WINEPREFIX="${WINEPREFIX:-$HOME/.local/share/velunda/wine}"
mkdir -p "$WINEPREFIX"
prepare_prefix
exe=build/win64/bin/Velunda.exe
logon=false
[[ "${1:-}" == /startup* ]] && logon=true

# A real display and a window to use: nothing to watch.
if [ -n "${DISPLAY:-}" ] && ! $logon; then
  exec "$WINE" "$exe" "$@"
fi

out=$PWD/build/start
mkdir -p "$out"
rm -f "$out"/*.png
log=$out/wine.log
virtual=false
size=1024x768
velunda=

# Ends what this script started on the virtual screen. After a normal end the
# Wine server is left to stop by itself, so that it saves the registry.
finish() {
  trap - INT TERM EXIT
  $virtual || return 0
  if [ "${1:-}" = now ]; then
    "$WINESERVER" -k 2>/dev/null || true
  else
    timeout 30 "$WINESERVER" -w 2>/dev/null || "$WINESERVER" -k 2>/dev/null || true
  fi
  [ -z "$velunda" ] || wait "$velunda" 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}

if [ -z "${DISPLAY:-}" ]; then
  virtual=true
  start_xvfb "$size"
  echo "No display: Velunda runs on a virtual screen (Xvfb $DISPLAY, $size), in a Wine desktop."
  trap 'echo; finish now; echo "Velunda ended: nothing of it is left running."; exit 130' INT TERM
  trap finish EXIT
fi

# Each message box that Velunda shows: Wine reports its text as it sets the
# box up (the msgbox trace); the box itself is found on the screen. On the
# virtual screen its picture is saved and it is answered with Enter; on a real
# display it is left to you.
boxes=0
box_texts() {
  sed -n 's/^[0-9a-f]*:trace:msgbox:MSGBOX_OnInit L"\(.*\)"$/\1/p' "$log" | python3 -c '
import re, sys
for line in sys.stdin:
    print(re.sub(r"\\x?([0-9a-fA-F]{4})|\\(.)", lambda m: chr(int(m[1], 16)) if m[1]
                 else {"n": " ", "r": "", "t": " "}.get(m[2], m[2]), line.rstrip("\n")))'
}
answer_boxes() {
  local texts text w=
  mapfile -t texts < <(box_texts)
  while [ "$boxes" -lt "${#texts[@]}" ]; do
    text=${texts[$boxes]}
    boxes=$((boxes + 1))
    for _ in $(seq 100); do
      w=$(find_window 'velunda\.exe' '' "${main:-}") && break
      sleep 0.1
    done
    if [ -z "$w" ]; then
      echo "Message box: $text"
    elif $virtual; then
      sleep 0.5
      import -window "$w" "$out/message-$boxes.png"
      echo "Message box \"$(xdotool getwindowname "$w")\": $text"
      echo "  picture: $out/message-$boxes.png; answered with Enter"
      xdotool windowfocus "$w" key Return
    else
      echo "Message box \"$(xdotool getwindowname "$w")\" on your screen: $text"
    fi
  done
}

run_velunda() {
  if $virtual; then
    WINEDEBUG=-all,+msgbox setsid "$WINE" explorer "/desktop=Velunda,$size" "$exe" "$@" </dev/null >"$log" 2>&1 &
  else
    WINEDEBUG=-all,+msgbox "$WINE" "$exe" "$@" </dev/null >"$log" 2>&1 &
  fi
  velunda=$!
}

# Waits for the main window, answering the message boxes before it, then
# photographs the screen.
show_window() {
  main=
  while kill -0 "$velunda" 2>/dev/null; do
    answer_boxes
    if w=$(find_window 'velunda\.exe' Velunda); then
      sleep 1  # painted, and no message box after all
      [ "$(box_texts | wc -l)" -gt "$boxes" ] && continue
      main=$w
      import -window root "$out/screen.png"
      echo "Velunda's window is up. Picture of the screen: $out/screen.png"
      echo "To end Velunda: close its window, or press Ctrl+C here."
      return
    fi
    sleep 0.2
  done
}

settings='HKCU\Software\Zarnovell Software\Velunda\1.0'
# Prints "name value" for each value of a key, from the registry.
key_values() {
  "$WINE" reg query "$@" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *\([A-Za-z]*\) \{4\}REG_[A-Z_]* \{4\}\(.*\)$/\1 \2/p;s/^ *\([A-Za-z]*\) \{4\}REG_[A-Z_]*$/\1 /p'
}
# Fills the associative array named $1 with the settings and the wallpaper.
read_state() {
  local -n into=$1
  local name value
  while read -r name value; do into[$name]=$value; done < <(key_values "$settings"
    key_values 'HKCU\Control Panel\Desktop' /v Wallpaper)
}
day() { date -d "@$((${1:-0}))" +%Y-%m-%d; }

report_logon() {
  echo "What the logon run did (read back from the registry and the screen):"
  local type=${before[TimeType]:-}
  if [ -z "$type" ]; then
    echo "  No settings yet: a logon run before Velunda's first start changes nothing."
  elif [ "$type" = days ]; then
    if [ "${after[LastDays]:-}" != "${before[LastDays]:-}" ]; then
      echo "  A change was due: every $((before[NumDays])) day(s), the last one on $(day "${before[LastDays]}");" \
        "LastDays is now $(day "${after[LastDays]}")."
    else
      echo "  No change was due: every $((before[NumDays])) day(s), the last one on $(day "${before[LastDays]}")."
    fi
  elif [ "$type" = startup ]; then
    local was=$((before[LastStartup])) now=$((after[LastStartup])) every=$((before[NumStartup]))
    if [ "$now" -eq 0 ]; then
      echo "  A change was due: every $every logon(s); LastStartup went from $was to 0."
    else
      echo "  No change was due: every $every logon(s); LastStartup went from $was to $now."
    fi
  else
    echo "  TimeType is \"$type\": the logon run counts nothing and changes nothing."
  fi
  if [ "${after[Wallpaper]:-}" != "${before[Wallpaper]:-}" ]; then
    echo "  The wallpaper is now ${after[Wallpaper]:-(none)} (it was ${before[Wallpaper]:-(none)})."
  elif [ "${after[LastDays]:-}${after[LastStartup]:-}" != "${before[LastDays]:-}${before[LastStartup]:-}" ]; then
    echo "  The wallpaper is still ${before[Wallpaper]:-(none)}: the same file was drawn, or none could be used."
  else
    echo "  The wallpaper is unchanged: ${before[Wallpaper]:-(none)}."
  fi
  [ "$boxes" -gt 0 ] || echo "  No message box."
}

if $logon; then
  declare -A before=() after=()
  read_state before
  run_velunda "$@"
  main=
  while kill -0 "$velunda" 2>/dev/null; do answer_boxes; sleep 0.2; done
  answer_boxes
  wait "$velunda" || true
  read_state after
  report_logon
else
  run_velunda "$@"
  show_window
  rc=0
  wait "$velunda" || rc=$?
  echo "Velunda has ended."
  exit $rc
fi
