#!/bin/bash
# End-to-end runs of the real installer.exe under Wine, each a whole install in a fresh working
# directory, with the host's JDK behind a JVM directory whose bin\java.exe and bin\javaw.exe are
# the Wine helper java-stub.exe, registered in the prefix's registry.
# Usage: wine.sh <windows build dir> <scenario>; sourced without a scenario, it only defines the run.
set -u
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"
RUN="$SOURCE/tests/wine/wine-run.sh"
ARTIFACTS="$BUILD/e2e-artifacts"
for needed in installer.exe java-stub.exe rawexec.exe showcmdline.exe jvmexpander.exe argsrecorder.exe \
              vendorinstaller.exe payload/install.jar; do
  [ -e "$BUILD/$needed" ] || fail "no $BUILD/$needed"
done
export WINEPREFIX="$BUILD/wineprefix"
WINESERVER=/usr/lib/wine/wineserver
# Waits until every program of the session (the clean-up program among them) has ended.
wait_for_wine() { timeout 120 "$WINESERVER" -w > /dev/null 2>&1 || true; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
P() { winpath "$1"; }
WIZ="Z:"

# The clean-up stand-in records the command line it was started with; the bundled JVM's
# expander lays out jre\bin\java.exe and javaw.exe, the test java.exe.
setup() {
  make_scenario "$BUILD/java-stub.exe" "$BUILD/showcmdline.exe"
  export QBX_CMDLINE_OUT=$(winpath "$START/cleanup-cmdline.txt")
  printf '%s\r\n' "$(winpath "$START")" > "$WORK/startdir.txt"
}
export QBX_EXPANDER_JAVA=$(winpath "$BUILD/java-stub.exe") QBX_EXPANDER_HOME=jre

reg() { "$RUN" reg "$@" > /dev/null 2>&1; }
reg_value() { "$RUN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
runtime_value() { reg_value 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment'"$1" "$2"; }
reset_registry() {
  for root in JavaSoft 'Eclipse Adoptium' 'Microsoft\JDK' 'Azul Systems' Semeru BellSoft; do
    reg delete 'HKLM\SOFTWARE\'"$root" /f
  done
  reg delete 'HKCU\Control Panel\International' /v LocaleNameOverride /f
}
register_found() {
  local key='HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\17.0'
  reg add "$key" /v JavaHome /d "$(winpath "$JVM")" /f
  reg add "$key" /v MicroVersion /d 15 /f
}
# The Windows directory and Program Files that the registry names lie in the scenario while it
# runs, restored at exit.
NT_KEY='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion'
WIN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion'
sandbox() {
  reset_registry
  SAVED_ROOT=$(reg_value "$NT_KEY" SystemRoot)
  SAVED_PROGRAMS=$(reg_value "$WIN_KEY" ProgramFilesDir)
  [ -n "$SAVED_ROOT" ] && [ -n "$SAVED_PROGRAMS" ] || fail "cannot read the prefix's system folders"
  trap 'reg add "$NT_KEY" /v SystemRoot /d "$SAVED_ROOT" /f; reg add "$WIN_KEY" /v ProgramFilesDir /d "$SAVED_PROGRAMS" /f
        [ -n "${QBX_KEEP:-}" ] || rm -rf "$SCENARIO_DIR"' EXIT
  reg add "$NT_KEY" /v SystemRoot /d "$(winpath "$WINDIR")" /f
  reg add "$WIN_KEY" /v ProgramFilesDir /d "$(winpath "$PROGRAMS")" /f
}
put_expander() { cp "$BUILD/jvmexpander.exe" "$WORK/$1"; }
put_recorder() { cp "$BUILD/argsrecorder.exe" "$WORK/$1"; }
put_vendor() { cp "$BUILD/vendorinstaller.exe" "$WORK/$1"; }
expect_vendor_arguments() { expect_grep "$1" '[jre-setup.exe /s /v"INSTALLDIR=C:\Program Files\x"]'; }

# installer.exe with exactly that command line after its name, from the working directory, by
# rawexec.exe (wine64 would quote the arguments again); with windows on a virtual display when a
# screenshot (in $ARTIFACTS), its window or a box to answer are given (run-gui.sh).
run_raw() { # command line, [screenshot window box]
  local code=0 shot=${2:-}
  printf '%s %s' "$(winpath "$BUILD/installer.exe")" "$1" > "$SCENARIO_DIR/cmdline.txt"
  local start=("$RUN" "$(winpath "$BUILD/rawexec.exe")" "$(winpath "$SCENARIO_DIR/cmdline.txt")")
  if [ $# -gt 1 ]; then
    # The session of the registry commands has no display: end it, so windows go to Xvfb.
    "$WINESERVER" -k > /dev/null 2>&1 || true
    wait_for_wine
    mkdir -p "$ARTIFACTS"
    start=("$SOURCE/tests/wine/run-gui.sh" "${shot:+$ARTIFACTS/$shot}" "$3" "$4" "${start[@]}")
  fi
  (cd "$WORK" && "${start[@]}" > "$SCENARIO_DIR/stdout" 2> "$SCENARIO_DIR/stderr") || code=$?
  [ $code -eq 0 ] || fail "exit code $code"
  wait_for_wine
  [ -n "$shot" ] || return 0
  # The shot is of the window alone, and shows something.
  [ -s "$ARTIFACTS/$shot" ] || fail "no screenshot $shot"
  [ "$(convert "$ARTIFACTS/$shot" -format %wx%h info:)" != 1024x768 ] || fail "$shot shows the whole screen"
  [ "$(convert "$ARTIFACTS/$shot" -format %k info:)" -gt 2 ] || fail "$shot is blank"
}
launch() { # an empty command line: a run with windows, whose error box is answered
  if [ -n "$1" ]; then
    run_raw "$1"
  else
    run_raw "" "" "" "Quillbox Installer: Error"
  fi
}

[ -n "${2:-}" ] || return 0
setup
[ -n "${QBX_KEEP:-}" ] || trap 'rm -rf "$SCENARIO_DIR"' EXIT
sandbox
case "$2" in
quiet)
  scenario quiet
  # Started away from the start directory: __cleanup.exe gets the working directory, one argument.
  expect_grep "$START/cleanup-cmdline.txt" "__cleanup.exe $(winpath "$WORK")"
  ;;
samedir)
  scenario samedir
  expect_no_file "$START/cleanup-cmdline.txt"
  ;;
extended-off)
  # A JVM that only the switched-off search would find.
  reg add 'HKLM\SOFTWARE\JavaSoft\JDK\17' /v JavaHome /d "$(winpath "$JVM")" /f
  set_control extendedJvmSearch false
  scenario nojvm
  ;;
javasoft-jdk | adoptium | javahome)
  # Only the extended search can find the JVM: in the Java 9+ JavaSoft layout, Adoptium's, or JAVA_HOME.
  case $2 in
  javasoft-jdk) reg add 'HKLM\SOFTWARE\JavaSoft\JDK\17' /v JavaHome /d "$(winpath "$JVM")" /f ;;
  adoptium) reg add 'HKLM\SOFTWARE\Eclipse Adoptium\JDK\17.0.8.101\hotspot\MSI' /v Path /d "$(winpath "$JVM")\\" /f ;;
  javahome) export JAVA_HOME=$(winpath "$JVM") ;;
  esac
  : > "$WORK/jinstall.log"
  launch "-q "
  expect_grep "$START/jinstall.log" "Java Plugin registry entry had correct jvm info: false" \
    "Found correct version of JVM: $(winpath "$JVM")\\bin\\java.exe"
  expect_grep "$START/wizard.log" "nativeJvmHomeDir = Z:$JVM"
  ;;
dialog)
  # The status dialog with its text, in French (look at the screenshot); for `make screenshots`,
  # in the locale QBX_SHOT_LOCALE into QBX_SHOT_FILE. The wizard lingers, so that the dialog's
  # grace period is on screen when the shot is taken.
  register_found
  : > "$WORK/jinstall.log"
  set_control loaderJavaCommand "ExampleWizard --linger 10"
  export LC_ALL=${QBX_SHOT_LOCALE:-fr_FR.UTF-8}
  shot=${QBX_SHOT_FILE:-$ARTIFACTS/status-dialog-fr.png}
  ARTIFACTS=$(dirname "$shot")
  run_raw "" "$(basename "$shot")" Installer ""
  [ -z "${QBX_SHOT_FILE:-}" ] || exit 0
  expect_grep "$START/jinstall.log" "Préparation Wizard..." "Java wizard launched successfully"
  expect_grep "$START/wizard.log" "mode: interactive"
  ;;
errorbox)
  # A French error box without detail carries the French suffix; the control file is missing.
  rm "$WORK/qbx.control"
  export LC_ALL=fr_FR.UTF-8
  run_raw "" error-box-fr.png "Quillbox Installer: Error" "Quillbox Installer: Error"
  expect_grep "$START/errors.log" "Unable to open qbx.control" "Unable to install application."
  ;;
*)
  scenario "$2" || fail "unknown scenario $2"
  ;;
esac
echo "PASS: $2"
