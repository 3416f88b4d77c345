#!/bin/bash
# Runs a (Windows) program on a virtual X display, ending it after 180 s; exits with its status.
#   run-gui.sh SHOT.png WINDOW BOX COMMAND...      (an empty SHOT or BOX: none)
# SHOT: a shot of the window titled WINDOW alone (the bare screen around it proves nothing), a
# second after it appears. BOX: after the shot, presses Return
# in the window of that title every 0.2 s until it is gone (a single key press is sometimes lost).
set -euo pipefail
[ "${QBX_IN_XVFB:-}" = 1 ] || QBX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
shot=$1 window=$2 box=$3
shift 3

find_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1 || true; }
take_shot() {
  local id
  id=$(find_window "$window")
  [ -z "$id" ] || xwd -id "$id" -silent | convert xwd:- "$shot" || true
  touch "$shot.done"
}
close_box() {
  local seen=0 id
  while [ -n "$shot" ] && [ ! -e "$shot.done" ]; do sleep 0.1; done
  while :; do
    id=$(find_window "$box")
    if [ -n "$id" ]; then
      seen=1
      xdotool windowfocus "$id" key Return 2>/dev/null || true
    elif [ $seen = 1 ]; then
      return 0
    fi
    sleep 0.2
  done
}

# A Wine session belongs to one X display: the programs of this run must neither join a session
# of another display nor leave theirs behind when this display goes.
export WINEPREFIX="${QBX_WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows/wineprefix}"
wait_for_wine() { [ ! -d "$WINEPREFIX" ] || timeout 120 /usr/lib/wine/wineserver -w || true; }

wait_for_wine
timeout 180 "$@" &
program=$!
helpers=()
trap 'kill "${helpers[@]}" 2>/dev/null || true' EXIT
if [ -n "$shot" ]; then
  rm -f "$shot.done"
  (until [ -n "$(find_window "$window")" ]; do sleep 0.2; done; sleep 1; take_shot) &
  helpers+=($!)
fi
if [ -n "$box" ]; then
  close_box &
  helpers+=($!)
fi

status=0
wait "$program" || status=$?
[ -z "$shot" ] || rm -f "$shot.done"
wait_for_wine
exit "$status"
