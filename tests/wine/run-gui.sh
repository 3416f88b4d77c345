#!/bin/bash
# Runs a (Windows) program on a virtual X display, exiting with its status.
#   run-gui.sh [--shot SECONDS FILE.png --window TITLE] [--close TITLE]... [--timeout SECONDS] -- COMMAND...
# --shot: a shot of the window TITLE, SECONDS after it appears (only the window: the bare screen
# around it depends on the X server and proves nothing); none when it never appears.
# --close: presses Return in the window TITLE every 0.2 s until it is gone, after the shot.
# --timeout: ends the command after SECONDS (default 300, status 124).
set -euo pipefail

if [ "${QBX_IN_XVFB:-}" != 1 ]; then
    command -v xvfb-run >/dev/null || { echo "run-gui.sh: xvfb-run not found (package xvfb)" >&2; exit 127; }
    export QBX_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

shotAfter=""
shotFile=""
shotWindow=""
closeTitles=()
timeoutSeconds=300
while [ $# -gt 0 ]; do
    case "$1" in
        --shot) shotAfter="$2"; shotFile="$3"; shift 3 ;;
        --window) shotWindow="$2"; shift 2 ;;
        --close) closeTitles+=("$2"); shift 2 ;;
        --timeout) timeoutSeconds="$2"; shift 2 ;;
        --) shift; break ;;
        *) echo "run-gui.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
[ $# -gt 0 ] || { echo "run-gui.sh: no command given" >&2; exit 2; }
[ -z "$shotAfter" ] || [ -n "$shotWindow" ] || { echo "run-gui.sh: --shot needs --window" >&2; exit 2; }

# The id of the first window with exactly that title, or nothing.
findWindow() {
    xdotool search --name "^$1\$" 2>/dev/null | head -n 1 || true
}

# Presses Return in the window of that title every 0.2 s; a single key press is sometimes lost.
closeWindow() {
    local title="$1" seen=0 window
    while :; do
        window="$(findWindow "$title")"
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
    local window
    window="$(findWindow "$shotWindow")"
    if [ -n "$window" ]; then
        xwd -id "$window" -silent | convert xwd:- "$shotFile"
    else
        echo "run-gui.sh: no window titled '$shotWindow' to shoot" >&2
    fi
}

waitForWine
timeout "$timeoutSeconds" "$@" &
program=$!

shooter=""
if [ -n "$shotAfter" ]; then
    rm -f "$shotFile.done"
    (
        until [ -n "$(findWindow "$shotWindow")" ]; do sleep 0.2; done
        sleep "$shotAfter"
        takeShot
        touch "$shotFile.done"
    ) &
    shooter=$!
    helpers+=("$shooter")
fi
# Closing starts once the screenshot is taken.
for title in "${closeTitles[@]}"; do
    (
        if [ -n "$shooter" ]; then
            while kill -0 "$shooter" 2>/dev/null; do sleep 0.1; done
        fi
        closeWindow "$title"
    ) &
    helpers+=($!)
done

status=0
wait "$program" || status=$?
# A screenshot still due is taken now, so the caller always gets its file.
# (A shooter that has finished may not be reaped yet and still take a kill: ask its marker.)
if [ -n "$shooter" ] && [ ! -e "$shotFile.done" ]; then
    kill "$shooter" 2>/dev/null || true
    takeShot
fi
[ -z "$shooter" ] || rm -f "$shotFile.done"
waitForWine
exit "$status"
