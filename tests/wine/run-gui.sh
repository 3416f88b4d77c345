#!/bin/bash
# Runs a (Windows) program on a virtual X display, exiting with its status.
#   run-gui.sh [--shot SECONDS FILE.png --window TITLE] [--close TITLE]... [--timeout SECONDS] -- COMMAND...
# --shot: a shot of the window TITLE alone (the bare screen around it proves nothing), SECONDS
# after it appears, or when the command ends first.
# --close: presses Return in the window TITLE every 0.2 s until it is gone (a single key press is
# sometimes lost), after the shot. --timeout: ends the command after SECONDS (default 300).
set -euo pipefail
if [ "${QBX_IN_XVFB:-}" != 1 ]; then
  export QBX_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

after="" shot="" window="" timeout=300 closing=()
while [ "${1:-}" != -- ]; do
  case "$1" in
  --shot) after=$2 shot=$3; shift 3 ;;
  --window) window=$2; shift 2 ;;
  --close) closing+=("$2"); shift 2 ;;
  --timeout) timeout=$2; shift 2 ;;
  *) echo "run-gui.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
shift

find_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1 || true; }
take_shot() {
  local id
  id=$(find_window "$window")
  [ -z "$id" ] || xwd -id "$id" -silent | convert xwd:- "$shot" || true
  touch "$shot.done"
}
close_window() {
  local seen=0 id
  while :; do
    id=$(find_window "$1")
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
timeout "$timeout" "$@" &
program=$!
helpers=()
trap 'kill "${helpers[@]}" 2>/dev/null || true' EXIT
if [ -n "$shot" ]; then
  rm -f "$shot.done"
  (until [ -n "$(find_window "$window")" ]; do sleep 0.2; done; sleep "$after"; take_shot) &
  helpers+=($!)
fi
for title in "${closing[@]}"; do
  (while [ -n "$shot" ] && [ ! -e "$shot.done" ]; do sleep 0.1; done; close_window "$title") &
  helpers+=($!)
done

status=0
wait "$program" || status=$?
# A shot still due is taken now, so the caller always gets its file.
if [ -n "$shot" ] && [ ! -e "$shot.done" ]; then
  kill "${helpers[0]}" 2>/dev/null || true
  take_shot
fi
[ -z "$shot" ] || rm -f "$shot.done"
wait_for_wine
exit "$status"
