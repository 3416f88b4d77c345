#!/bin/bash
# End-to-end runs of the real installer.exe under Wine, each a whole install in a fresh working
# directory, with the host's JDK behind a JVM directory whose bin\java.exe and bin\javaw.exe are
# the Wine helper java-stub.exe, registered in the prefix's registry.
# Usage: wine.sh <windows build dir> <scenario>
set -u
BUILD=$(cd "$1" && pwd)
SCENARIO=$2
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"
RUN="$SOURCE/tests/wine/wine-run.sh"
ARTIFACTS="$BUILD/e2e-artifacts"
mkdir -p "$ARTIFACTS"

for needed in installer.exe java-stub.exe rawexec.exe showcmdline.exe jvmexpander.exe argsrecorder.exe \
              vendorinstaller.exe payload/install.jar; do
  [ -e "$BUILD/$needed" ] || fail "no $BUILD/$needed"
done

winpath() { printf 'Z:%s' "${1//\//\\}"; }

make_scenario "$BUILD/payload" "$SOURCE"
[ -n "${QBX_KEEP:-}" ] || trap 'rm -rf "$SCENARIO_DIR"' EXIT
JVM="$SCENARIO_DIR/jvm/jre17"
mkdir -p "$JVM/bin"
for name in java.exe javaw.exe; do cp "$BUILD/java-stub.exe" "$JVM/bin/$name"; done
# The clean-up stand-in records the command line it was started with.
export QBX_CMDLINE_OUT=$(winpath "$START/cleanup-cmdline.txt")
prepare_work() {
  cp "$BUILD/showcmdline.exe" "$WORK/cleanup.exe"
  printf '%s\r\n' "$(winpath "$START")" > "$WORK/startdir.txt"
}
prepare_work

reg() { "$RUN" reg "$@" > /dev/null 2>&1; }
reset_registry() {
  for root in JavaSoft 'Eclipse Adoptium' 'Microsoft\JDK' 'Azul Systems' Semeru BellSoft; do
    reg delete 'HKLM\SOFTWARE\'"$root" /f
  done
  reg delete 'HKCU\Control Panel\International' /v LocaleNameOverride /f
}
register_jvm() {
  reset_registry
  local key='HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\17.0'
  reg add "$key" /v JavaHome /d "$(winpath "$JVM")" /f
  reg add "$key" /v MicroVersion /d 15 /f
}

run_raw() { # exact command line after the program name; runs installer.exe from the working dir
  printf '%s %s' "$(winpath "$BUILD/installer.exe")" "$1" > "$SCENARIO_DIR/cmdline.txt"
  (cd "$WORK" && "$RUN" "$(winpath "$BUILD/rawexec.exe")" "$(winpath "$SCENARIO_DIR/cmdline.txt")" \
     > "$SCENARIO_DIR/stdout" 2> "$SCENARIO_DIR/stderr")
  local code=$?
  [ $code -eq 0 ] || fail "exit code $code"
}

run_gui() { # screenshot name, seconds, then run-gui options and the command line
  local shot=$1 after=$2
  shift 2
  printf '%s %s' "$(winpath "$BUILD/installer.exe")" "${@: -1}" > "$SCENARIO_DIR/cmdline.txt"
  set -- "${@:1:$#-1}"
  # The session of the registry commands has no display: end it, so windows go to Xvfb.
  "$WINESERVER" -k > /dev/null 2>&1 || true
  wait_for_wine
  (cd "$WORK" && "$SOURCE/tests/wine/run-gui.sh" --timeout 180 --shot "$after" "$ARTIFACTS/$shot" "$@" -- \
     "$RUN" "$(winpath "$BUILD/rawexec.exe")" "$(winpath "$SCENARIO_DIR/cmdline.txt")" \
     > "$SCENARIO_DIR/stdout" 2> "$SCENARIO_DIR/stderr")
  local code=$?
  [ $code -eq 0 ] || fail "exit code $code"
  [ -s "$ARTIFACTS/$shot" ] || fail "no screenshot $shot"
  # The shot is of the window alone, and shows something.
  [ "$(convert "$ARTIFACTS/$shot" -format %wx%h info:)" != 1024x768 ] || fail "$shot shows the whole screen"
  [ "$(convert "$ARTIFACTS/$shot" -format %k info:)" -gt 2 ] || fail "$shot is blank"
}

# Provisioning runs: the Windows directory and Program Files that the registry names lie in the
# scenario while it runs (restored at exit); the payload's expander or vendor installer is ours.
WINDIR="$SCENARIO_DIR/windows"
PROGRAMS="$SCENARIO_DIR/Program Files"
NT_KEY='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion'
WIN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion'
reg_value() { "$RUN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
P() { winpath "$1"; }
WIZ="Z:"
register_found() { register_jvm; }
put_expander() { cp "$BUILD/jvmexpander.exe" "$WORK/$1"; }
put_recorder() { cp "$BUILD/argsrecorder.exe" "$WORK/$1"; }
put_vendor() { cp "$BUILD/vendorinstaller.exe" "$WORK/$1"; }
expect_vendor_arguments() { expect_grep "$1" '[jre-setup.exe /s /v"INSTALLDIR=C:\Program Files\x"]'; }
launch() { run_raw "-q "; wait_for_wine; }
restore_system_dirs() {
  reg add "$NT_KEY" /v SystemRoot /d "$SAVED_ROOT" /f
  reg add "$WIN_KEY" /v ProgramFilesDir /d "$SAVED_PROGRAMS" /f
}
sandbox() {
  reset_registry
  mkdir -p "$WINDIR/system" "$PROGRAMS"
  SAVED_ROOT=$(reg_value "$NT_KEY" SystemRoot)
  SAVED_PROGRAMS=$(reg_value "$WIN_KEY" ProgramFilesDir)
  [ -n "$SAVED_ROOT" ] && [ -n "$SAVED_PROGRAMS" ] || fail "cannot read the prefix's system folders"
  trap 'restore_system_dirs; [ -n "${QBX_KEEP:-}" ] || rm -rf "$SCENARIO_DIR"' EXIT
  reg add "$NT_KEY" /v SystemRoot /d "$(winpath "$WINDIR")" /f
  reg add "$WIN_KEY" /v ProgramFilesDir /d "$(winpath "$PROGRAMS")" /f
}
# The bundled JVM's expander lays out jre\bin\java.exe and javaw.exe, the test java.exe.
export QBX_EXPANDER_JAVA=$(winpath "$BUILD/java-stub.exe") QBX_EXPANDER_HOME=jre
runtime_value() { reg_value 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment'"$1" "$2"; }

WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || echo true)
export WINEPREFIX="$BUILD/wineprefix"
# Waits until every program of the session (the clean-up program among them) has ended.
wait_for_wine() { timeout 120 "$WINESERVER" -w > /dev/null 2>&1 || true; }

case "$SCENARIO" in
quiet)
  register_jvm
  : > "$WORK/jinstall.log"
  run_raw "-q "
  wait_for_wine
  expect_grep "$START/jinstall.log" "Quite install: true"
  expect_grep "$START/jinstall.log" "set status quite"
  for name in __qbxinstall.sem __qbxshow.sem __qbxwizard.sem native.properties install.jar META-INF jinstall.sem; do
    expect_no_file "$WORK/$name"
  done
  # Quiet without details: the wizard gets neither the switch nor details.
  expect_grep "$START/wizard.log" "arguments: 0"
  # Started away from the start directory: __cleanup.exe gets the working directory, one argument.
  expect_grep "$START/cleanup-cmdline.txt" "__cleanup.exe $(winpath "$WORK")"
  ;;
samedir)
  register_jvm
  upper=$(winpath "$WORK" | tr '[:lower:]' '[:upper:]')
  printf '%s\r\n' "$upper" > "$WORK/startdir.txt"
  run_raw "-q "
  wait_for_wine
  expect_no_file "$WORK/__cleanup.exe"
  expect_no_file "$WORK/cleanup.exe"
  expect_no_file "$START/cleanup-cmdline.txt"
  expect_file "$WORK/wizard.log"
  ;;
found)
  register_jvm
  : > "$WORK/jinstall.log"
  run_raw "-q x"
  expect_grep "$START/jinstall.log" "Found correct version of JVM: $(winpath "$JVM")\\bin\\java.exe"
  expect_grep "$START/jinstall.log" "first arg: java.exe"
  expect_grep "$START/jinstall.log" "Args: java.exe -cp .;install.jar ExampleWizard -q x"
  expect_grep "$START/jinstall.log" "Java wizard launched successfully"
  expect_grep "$START/wizard.log" "nativeJvmHomeDir = Z:$JVM"
  expect_grep "$START/wizard.log" "nativeJvmInstalled = false"
  expect_grep "$START/wizard.log" "[1] x"
  ;;
nohandshake)
  register_jvm
  set_control loaderJavaCommand "ExampleWizard --no-handshake"
  run_raw "-q "
  expect_grep "$START/errors.log" "Java wizard not started properly"
  expect_grep "$START/errors.log" "Unable to start the install wizard."
  expect_file "$START/wizard.log"
  ;;
properties)
  register_jvm
  run_raw "-s \"$(winpath "$START")\\my props.txt\""
  expect_grep "$START/wizard.log" "mode: properties"
  expect_grep "$START/wizard.log" "details: $START/my props.txt"
  expect_grep "$START/wizard.log" "arguments: 2"
  ;;
nojvm | extended-off)
  reset_registry
  if [ "$SCENARIO" = extended-off ]; then # a JVM that only the switched-off search would find
    reg add 'HKLM\SOFTWARE\JavaSoft\JDK\17' /v JavaHome /d "$(winpath "$JVM")" /f
    set_control extendedJvmSearch false
  fi
  run_raw "-q "
  expect_grep "$START/errors.log" "The correct version of the JRE was not found on your system."
  expect_grep "$START/errors.log" "You need version 11 or a later version, x64 memory model."
  expect_no_file "$START/wizard.log"
  ;;
javasoft-jdk | adoptium | javahome)
  # Only the extended search can find the JVM: in the Java 9+ JavaSoft layout, Adoptium's, or JAVA_HOME.
  reset_registry
  case $SCENARIO in
  javasoft-jdk) reg add 'HKLM\SOFTWARE\JavaSoft\JDK\17' /v JavaHome /d "$(winpath "$JVM")" /f ;;
  adoptium) reg add 'HKLM\SOFTWARE\Eclipse Adoptium\JDK\17.0.8.101\hotspot\MSI' /v Path /d "$(winpath "$JVM")\\" /f ;;
  javahome) export JAVA_HOME=$(winpath "$JVM") ;;
  esac
  : > "$WORK/jinstall.log"
  run_raw "-q "
  expect_grep "$START/jinstall.log" "Java Plugin registry entry had correct jvm info: false"
  expect_grep "$START/jinstall.log" "Found correct version of JVM: $(winpath "$JVM")\\bin\\java.exe"
  expect_grep "$START/wizard.log" "nativeJvmHomeDir = Z:$JVM"
  ;;
dialog)
  # A visible run in French: the status dialog with its text (look at the screenshot).
  register_jvm
  : > "$WORK/jinstall.log"
  # The wizard lingers, so that the dialog's grace period is on screen when the shot is taken.
  set_control loaderJavaCommand "ExampleWizard --linger 10"
  export LC_ALL=fr_FR.UTF-8 2>/dev/null
  run_gui status-dialog-fr.png 1 --window Installer ""
  expect_grep "$START/jinstall.log" "Préparation Wizard..."
  expect_grep "$START/jinstall.log" "Java wizard launched successfully"
  expect_grep "$START/wizard.log" "mode: interactive"
  ;;
errorbox)
  # A French error box without detail carries the French suffix; the control file is missing.
  reset_registry
  rm "$WORK/qbx.control"
  export LC_ALL=fr_FR.UTF-8 2>/dev/null
  run_gui error-box-fr.png 1 --window "Quillbox Installer: Error" --close "Quillbox Installer: Error" ""
  expect_grep "$START/errors.log" "Unable to open qbx.control"
  expect_grep "$START/errors.log" "Unable to install application."
  ;;
screenshot)
  # For `make screenshots`: the status dialog in the locale QBX_SHOT_LOCALE, into QBX_SHOT_FILE.
  register_jvm
  set_control loaderJavaCommand "ExampleWizard --linger 3"
  export LC_ALL=$QBX_SHOT_LOCALE
  ARTIFACTS=$(dirname "$QBX_SHOT_FILE")
  run_gui "$(basename "$QBX_SHOT_FILE")" 1 --window Installer ""
  ;;
*)
  provision_scenario "$SCENARIO" || fail "unknown scenario $SCENARIO"
  ;;
esac
echo "PASS: $SCENARIO"
