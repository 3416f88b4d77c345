#!/bin/bash
# End-to-end runs of the Linux build: a whole install in a fresh working directory, with the
# machine's JDK behind a JVM directory registered in the stand-in registry.
# Usage: native.sh <build dir> <scenario>
set -u
BUILD=$(cd "$1" && pwd)
SCENARIO=$2
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"

INSTALLER="$BUILD/installer"
[ -x "$INSTALLER" ] || fail "no $INSTALLER"
[ -f "$BUILD/payload/install.jar" ] || fail "no example wizard in $BUILD/payload (javac/jar missing?)"

make_scenario "$BUILD/payload" "$SOURCE"
[ -n "${QBX_KEEP:-}" ] || trap 'rm -rf "$SCENARIO_DIR"' EXIT
export QBX_REGISTRY="$SCENARIO_DIR/registry.reg"
export QBX_HOST_JAVA=$(readlink -f "$(command -v java)")
JVM="$SCENARIO_DIR/jvm/jre17"
mkdir -p "$JVM/bin"
for name in java.exe javaw.exe; do cp "$SOURCE/tests/posix/java-stub.sh" "$JVM/bin/$name"; done
prepare_work() {
  cp "$SOURCE/examples/payload/cleanup.exe" "$WORK/cleanup.exe"
  printf '%s\n' "$START" > "$WORK/startdir.txt"
}
prepare_work

register_jvm() { # home
  cat > "$QBX_REGISTRY" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]
"JavaHome"="$1"
"MicroVersion"="15"
REG
}

# The Windows directory, Program Files and the search path of the run lie in the scenario.
WINDIR="$SCENARIO_DIR/windows"
PROGRAMS="$SCENARIO_DIR/Program Files"
mkdir -p "$WINDIR/system" "$PROGRAMS" "$SCENARIO_DIR/path"
system_keys() {
  cat >> "$QBX_REGISTRY" <<REG

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]
"SystemRoot"="$WINDIR"

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]
"ProgramFilesDir"="$PROGRAMS"
REG
}
sandbox() { printf 'REGEDIT4\n' > "$QBX_REGISTRY"; system_keys; }
register_found() {
  printf '\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]\n"JavaHome"="%s"\n"MicroVersion"="15"\n' \
    "$JVM" >> "$QBX_REGISTRY"
}
P() { printf '%s' "$1"; }
WIZ=""
put_expander() { cp "$SOURCE/examples/jvm/jvmsetup.exe" "$WORK/$1"; }
put_recorder() { printf '#!/bin/sh\n: > args.out\n' > "$WORK/$1"; chmod 755 "$WORK/$1"; }
put_vendor() {
  cp "$SOURCE/tests/posix/vendor-installer.sh" "$WORK/$1"
  export QBX_JAVA_STUB="$SOURCE/tests/posix/java-stub.sh"
}
expect_vendor_arguments() { expect_grep "$1" "[/s]"; expect_grep "$1" '[/vINSTALLDIR=C:\Program Files\x]'; }
runtime_value() { # key suffix, value: the text of a value under the runtime's JavaSoft key
  KEY="[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment$1]" NAME="\"$2\"=" awk '
    /^\[/ { inside = tolower($0) == tolower(ENVIRON["KEY"]) }
    inside && index(tolower($0), tolower(ENVIRON["NAME"])) == 1 {
      v = substr($0, length(ENVIRON["NAME"]) + 2); sub(/"$/, "", v); gsub(/\\\\/, "\\", v); print v }' "$QBX_REGISTRY"
}
launch() {
  run_installer -q ""
  [ -n "${KEEP_WORK:-}" ] || wait_for_cleanup
}

run_installer() { # arguments...
  (cd "$WORK" && PATH="$SCENARIO_DIR/path" "$INSTALLER" "$@" > "$SCENARIO_DIR/stdout" 2> "$SCENARIO_DIR/stderr")
  local code=$?
  [ $code -eq 0 ] || fail "exit code $code"
}

wait_for_cleanup() { # the clean-up program removes the working directory a moment after we exit
  for _ in $(seq 1 50); do [ -d "$WORK" ] || return 0; sleep 0.1; done
  fail "the clean-up program did not remove $WORK"
}

case "$SCENARIO" in
found)
  register_jvm "$JVM"
  run_installer
  wait_for_cleanup
  expect_grep "$START/wizard.log" "mode: interactive"
  expect_wizard_with "$START/wizard.log" "$JVM" false
  expect_grep "$START/wizard.log" "configureWinRegistry = true"
  # A successful run with tracing of its own leaves no trace and no empty errors.log.
  expect_no_file "$START/jinstall.log"
  expect_no_file "$START/errors.log"
  expect_grep "$SCENARIO_DIR/stderr" "[Installer] Unpacking the installer..."
  ;;
markers)
  register_jvm "$JVM"
  rm "$WORK/startdir.txt"
  run_installer
  # Started in its own directory: the clean-up programs are deleted, not started.
  for name in __qbxinstall.sem __qbxshow.sem __qbxwizard.sem native.properties install.jar META-INF \
              cleanup.exe __cleanup.exe jinstall.sem jinstall.log; do
    expect_no_file "$WORK/$name"
  done
  expect_file "$WORK/wizard.log"
  expect_file "$WORK/qbx.control"
  ;;
nohandshake)
  register_jvm "$JVM"
  set_control loaderJavaCommand "ExampleWizard --no-handshake"
  run_installer
  wait_for_cleanup
  expect_grep "$START/errors.log" "Java wizard not started properly"
  expect_grep "$START/errors.log" "Unable to start the install wizard."
  [ "$(grep -c 'Java wizard not started properly' "$START/errors.log")" -eq 1 ] ||
    fail "expected exactly one wizard start: no JVM can be installed for the retry"
  expect_grep "$START/jinstall.log" "Installing the JVM..."
  expect_grep "$SCENARIO_DIR/stderr" "[Quillbox Installer: Error] Unable to start the install wizard."
  ;;
quiet)
  register_jvm "$JVM"
  : > "$WORK/jinstall.log"
  run_installer -q "answers.txt"
  wait_for_cleanup
  expect_grep "$START/wizard.log" "mode: quiet"
  expect_grep "$START/wizard.log" "details: answers.txt"
  expect_grep "$START/jinstall.log" "first arg: java.exe"
  expect_grep "$START/jinstall.log" "Found correct version of JVM: $JVM\\bin\\java.exe"
  expect_grep "$START/jinstall.log" "Java wizard launched successfully"
  expect_no_grep "$SCENARIO_DIR/stderr" "[Installer]"
  expect_no_grep "$START/jinstall.log" "Searching for the JVM..."
  ;;
properties)
  register_jvm "$JVM"
  run_installer -s "\"$START/my props.txt\""
  wait_for_cleanup
  expect_grep "$START/wizard.log" "mode: properties"
  expect_grep "$START/wizard.log" "details: $START/my props.txt"
  expect_grep "$START/wizard.log" "arguments: 2"
  ;;
nojvm)
  : > "$QBX_REGISTRY"
  run_installer -q ""
  wait_for_cleanup
  expect_grep "$START/errors.log" "The correct version of the JRE was not found on your system."
  expect_grep "$START/errors.log" "You need version 11 or a later version, x64 memory model."
  expect_no_file "$START/wizard.log"
  # Quiet: the failure is logged but no box is shown.
  expect_no_grep "$SCENARIO_DIR/stderr" "Quillbox Installer: Error"
  ;;
*)
  provision_scenario "$SCENARIO" || fail "unknown scenario $SCENARIO"
  ;;
esac
echo "PASS: $SCENARIO"
