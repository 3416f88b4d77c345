#!/bin/bash
# Runs a Windows program of the windows build under Wine: the emulator of its tests.
# The prefix lives inside the build tree, is created on first use and is shared by all runs.
set -euo pipefail
export WINEPREFIX="${QBX_WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install dialogs while the prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=/usr/lib/wine/wine64
[ -x $wine ] || { echo "wine-run.sh: no $wine (install the wine64 package)" >&2; exit 127; }

if [ ! -f "$WINEPREFIX/.qbx-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Parallel tests must not build the same prefix twice.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.qbx-ready" ]; then
    $wine wineboot -i >/dev/null 2>&1
    # Unmanaged windows get their captions and close at once under a bare X server.
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Without an X display, windows go to the null driver instead of failing to appear.
    $wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1
    # Let this first session end, so that the next one starts with the settings above.
    $wine wineboot -e >/dev/null 2>&1 || true
    timeout 120 /usr/lib/wine/wineserver -w || true
    touch "$WINEPREFIX/.qbx-ready"
  fi
  exec 9>&-
fi

# The first program of a Wine session starts the session's server and system processes, which
# keep its standard output open until the session ends: a caller that reads our output (ctest)
# would then wait seconds after each program. Let a silent program start the session instead.
$wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
exec $wine "$@"
