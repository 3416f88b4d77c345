#!/bin/bash
# Runs a Windows program under Wine (the windows build's test emulator) in the build tree's prefix.
set -euo pipefail
export WINEPREFIX="${QBX_WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}" # no Mono or Gecko install dialogs
wine=/usr/lib/wine/wine64
[ -x $wine ] || { echo "wine-run.sh: no $wine (install the wine64 package)" >&2; exit 127; }

if [ ! -f "$WINEPREFIX/.qbx-ready-win10" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Parallel tests must not build the same prefix twice.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.qbx-ready-win10" ]; then
    $wine wineboot -i >/dev/null 2>&1
    # Unmanaged windows get their captions and close at once under a bare X server.
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Without an X display, windows go to the null driver instead of failing to appear.
    $wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1
    # Windows 10 and 11 report 10.0 (to a program that declares them); Wine's default is 6.1.
    $wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
    $wine wineboot -e >/dev/null 2>&1 || true # the next session starts with these settings
    timeout 120 /usr/lib/wine/wineserver -w || true
    touch "$WINEPREFIX/.qbx-ready-win10"
  fi
  exec 9>&-
fi

# The first program of a session starts its system processes, which keep its output open until
# the session ends: a reader of our output (ctest) would wait. A silent program starts it instead.
$wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
# A unit test that printed nothing never reached its first test (the runner flushes before each):
# Wine failed to start it, as it now and then does on a busy machine. Once more, said aloud.
if [[ "$(basename "$1")" == unit_tests.exe && " $* " == *" --gtest_filter="* ]]; then
  out=$(mktemp); trap 'rm -f "$out"' EXIT
  set +e; $wine "$@" 2>&1 | tee "$out"; status=${PIPESTATUS[0]}; set -e
  if [ "$status" -eq 0 ] || [ -s "$out" ]; then exit "$status"; fi
  echo "wine-run.sh: $* ended with code $status before printing anything; once more"
fi
exec $wine "$@"
