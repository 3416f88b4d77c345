#!/bin/bash
# End-to-end runs of the Linux build: whole installs, with the machine's JDK behind a JVM
# directory in the stand-in registry.
# Usage: native.sh <build dir> <scenario>; sourced without a scenario, it only defines the run.
set -u
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"
INSTALLER="$BUILD/installer"
[ -x "$INSTALLER" ] && [ -f "$BUILD/payload/install.jar" ] || fail "no installer or payload in $BUILD"
export QBX_HOST_JAVA=$(readlink -f "$(command -v java)") QBX_JAVA_STUB="$SOURCE/tests/posix/java-stub.sh"

# The registry and search path of the run lie in the scenario too.
setup() {
  make_scenario "$QBX_JAVA_STUB" "$SOURCE/examples/payload/cleanup.exe"
  export QBX_REGISTRY="$SCENARIO_DIR/registry.reg"
  mkdir "$SCENARIO_DIR/path"
  printf '%s\n' "$START" > "$WORK/startdir.txt"
}
sandbox() {
  printf 'REGEDIT4\n\n[%s]\n"SystemRoot"="%s"\n\n[%s]\n"ProgramFilesDir"="%s"\n' \
    'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion' "$WINDIR" \
    'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion' "$PROGRAMS" > "$QBX_REGISTRY"
}
register_found() {
  printf '\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]\n"JavaHome"="%s"\n"MicroVersion"="15"\n' \
    "$JVM" >> "$QBX_REGISTRY"
}
P() { printf '%s' "$1"; }; W() { P "$1"; }; U() { P "$1"; } # paths are the host's in every form
put_expander() { cp "$SOURCE/examples/jvm/jvmsetup.exe" "$WORK/$1"; }
put_recorder() { printf '#!/bin/sh\n: > args.out\n' > "$WORK/$1"; chmod 755 "$WORK/$1"; }
put_vendor() { cp "$SOURCE/tests/posix/vendor-installer.sh" "$WORK/$1"; }
expect_vendor_arguments() { expect_grep "$1" "[/s]"; expect_grep "$1" '[/vINSTALLDIR=C:\Program Files\x]'; }
runtime_value() { # key suffix, value: the text of a value under the runtime's JavaSoft key
  KEY="[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment$1]" NAME="\"$2\"=" awk '
    /^\[/ { inside = tolower($0) == tolower(ENVIRON["KEY"]) }
    inside && index(tolower($0), tolower(ENVIRON["NAME"])) == 1 {
      v = substr($0, length(ENVIRON["NAME"]) + 2); sub(/"$/, "", v); gsub(/\\\\/, "\\", v); print v }' "$QBX_REGISTRY"
}
launch() { # command line (the Linux build joins its arguments with blanks)
  local code=0
  (cd "$WORK" && PATH="$SCENARIO_DIR/path" "$INSTALLER" ${1:+"$1"} > "$SCENARIO_DIR/stdout" 2> "$SCENARIO_DIR/stderr") ||
    code=$?
  [ $code -eq 0 ] || fail "exit code $code"
  # Started away from the start directory, the clean-up program removes the working directory.
  grep -q -x -F -- "$START" "$WORK/startdir.txt" 2>/dev/null || return 0
  for _ in $(seq 1 50); do [ -d "$WORK" ] || return 0; sleep 0.1; done
  fail "the clean-up program did not remove $WORK"
}

[ -n "${2:-}" ] || return 0
setup
[ -n "${QBX_KEEP:-}" ] || trap 'rm -rf "$SCENARIO_DIR"' EXIT
sandbox
case "$2" in
samedir)
  # Interactive and without tracing of its own: the status text, no trace, no empty errors.log.
  scenario samedir
  expect_grep "$WORK/wizard.log" "mode: interactive" "configureWinRegistry = true"
  expect_wizard_with "$WORK/wizard.log" "$JVM" false
  expect_no_file "$WORK/errors.log"
  expect_grep "$SCENARIO_DIR/stderr" "[Installer] Unpacking the installer..."
  ;;
quiet)
  scenario quiet
  expect_no_grep "$SCENARIO_DIR/stderr" "[Installer]"
  ;;
nohandshake)
  scenario nohandshake
  expect_grep "$SCENARIO_DIR/stderr" "[Quillbox Installer: Error] Unable to start the install wizard."
  ;;
nojvm)
  scenario nojvm
  expect_no_grep "$SCENARIO_DIR/stderr" "Quillbox Installer: Error"
  ;;
*)
  scenario "$2" || fail "unknown scenario $2"
  ;;
esac
echo "PASS: $2"
