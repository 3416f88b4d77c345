#!/bin/bash
# Runs a (Windows) program on a virtual X display: takes a screenshot after some seconds and
# closes message boxes by title. Exits with the program's status.
#
#   run-gui.sh [--shot SECONDS FILE.png] [--close TITLE]... [--timeout SECONDS] -- COMMAND [ARGS...]
#
# --shot     screenshot of the whole screen after SECONDS
# --close    presses Return in the window titled TITLE every 0.2 s until it is gone; starts after
#            the screenshot when both are given (repeatable, one closer per title)
# --timeout  ends the command after SECONDS (default 300); the status is then 124
set -euo pipefail

if [ "${QBX_IN_XVFB:-}" != 1 ]; then
    command -v xvfb-run >/dev/null || { echo "run-gui.sh: xvfb-run not found (package xvfb)" >&2; exit 127; }
    export QBX_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

shotAfter=""
shotFile=""
closeTitles=()
timeoutSeconds=300
while [ $# -gt 0 ]; do
    case "$1" in
        --shot) shotAfter="$2"; shotFile="$3"; shift 3 ;;
        --close) closeTitles+=("$2"); shift 2 ;;
        --timeout) timeoutSeconds="$2"; shift 2 ;;
        --) shift; break ;;
        *) echo "run-gui.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
[ $# -gt 0 ] || { echo "run-gui.sh: no command given" >&2; exit 2; }

# Presses Return in the window of that title every 0.2 s; a single key press is sometimes lost.
closeWindow() {
    local title="$1" seen=0 window
    while :; do
        window="$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1 || true)"
        if [ -n "$window" ]; then
            seen=1
            xdotool windowfocus "$window" key Return 2>/dev/null || true
        elif [ "$seen" = 1 ]; then
            return 0
        fi
        sleep 0.2
    done
}

# A Wine session belongs to one X display: the programs of this run must neither join a session
# of another display nor leave theirs behind when this display goes.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${QBX_WINEPREFIX:-$(cd "$here/../.." && pwd)/build/windows/wineprefix}"
waitForWine() {
    local wineserver=/usr/lib/wine/wineserver
    [ -x "$wineserver" ] || wineserver="$(command -v wineserver || true)"
    if [ -n "$wineserver" ] && [ -d "$WINEPREFIX" ]; then
        timeout 120 "$wineserver" -w || true
    fi
}

helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

takeShot() {
    xwd -root -silent | convert xwd:- "$shotFile"
}

waitForWine
timeout "$timeoutSeconds" "$@" &
program=$!

closeDelay=0
if [ -n "$shotAfter" ]; then
    (sleep "$shotAfter"; takeShot) &
    shooter=$!
    helpers+=("$shooter")
    closeDelay="$(awk -v s="$shotAfter" 'BEGIN { print s + 0.5 }')"
fi
for title in "${closeTitles[@]}"; do
    (sleep "$closeDelay"; closeWindow "$title") &
    helpers+=($!)
done

status=0
wait "$program" || status=$?
# A screenshot still due is taken now, so the caller always gets its file.
if [ -n "$shotAfter" ] && kill "$shooter" 2>/dev/null; then
    takeShot
fi
waitForWine
exit "$status"
