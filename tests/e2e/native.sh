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
cp "$SOURCE/examples/payload/cleanup.exe" "$WORK/cleanup.exe"
printf '%s\n' "$START" > "$WORK/startdir.txt"

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
no_jvm_registered() { printf 'REGEDIT4\n' > "$QBX_REGISTRY"; system_keys; }
EXPANDER="$SOURCE/examples/jvm/jvmsetup.exe"
fake_expander() { printf '#!/bin/sh\n%s\n' "$1" > "$WORK/jvmsetup.exe"; chmod 755 "$WORK/jvmsetup.exe"; }

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
tracing)
  register_jvm "$JVM"
  : > "$WORK/jinstall.log"
  run_installer
  wait_for_cleanup
  expect_grep "$START/jinstall.log" "first arg: java.exe"
  expect_grep "$START/jinstall.log" "Found correct version of JVM: $JVM\\bin\\java.exe"
  expect_grep "$START/jinstall.log" "Java wizard launched successfully"
  expect_grep "$START/wizard.log" "started properly"
  ;;
quiet)
  register_jvm "$JVM"
  : > "$WORK/jinstall.log"
  run_installer -q "answers.txt"
  wait_for_cleanup
  expect_grep "$START/wizard.log" "mode: quiet"
  expect_grep "$START/wizard.log" "details: answers.txt"
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
french)
  register_jvm "$JVM"
  cat >> "$QBX_REGISTRY" <<'REG'

[HKEY_CURRENT_USER\Control Panel\International]
"LocaleName"="fr-FR"
REG
  : > "$WORK/jinstall.log"
  run_installer
  wait_for_cleanup
  expect_grep "$SCENARIO_DIR/stderr" "[Installer] Préparation Wizard..."
  expect_grep "$START/jinstall.log" "Recherche de JVM..."
  ;;
bundle-predefined)
  # Expanded into the predefined directory, registered, given the security files, used.
  no_jvm_registered
  cp "$EXPANDER" "$WORK/"
  use_bundle jvmsetup.exe "$SCENARIO_DIR/java/jre17"
  use_security_files
  : > "$WORK/jinstall.log"
  run_installer
  wait_for_cleanup
  home="$SCENARIO_DIR/java/jre17/jre"
  expect_wizard_with "$START/wizard.log" "$home" true
  expect_grep "$START/wizard.log" "nativeJvmInstalledInTemp = false"
  expect_grep "$QBX_REGISTRY" '"CurrentVersion"="17.0"'
  expect_grep "$QBX_REGISTRY" '"MicroVersion"="2"'
  expect_grep "$QBX_REGISTRY" '\\java\\jre17\\jre"' # JavaHome, in lower case
  expect_file "$WINDIR/java.exe"
  expect_file "$WINDIR/javaw.exe"
  expect_file "$home/lib/security/user.policy"
  expect_file "$WINDIR/.keystore"
  ;;
bundle-appdir)
  # In the working directory ("jvm", whatever follows the variable): used, never registered,
  # and deleted by the clean-up.
  no_jvm_registered
  rm "$WORK/startdir.txt" # started in its own directory: the working directory stays to look at
  cp "$EXPANDER" "$WORK/"
  use_bundle jvmsetup.exe '[$AppDir]\jvm17'
  : > "$WORK/jinstall.log"
  run_installer
  expect_grep "$WORK/wizard.log" "nativeJvmHomeDir = $WORK/jvm/jre"
  expect_grep "$WORK/wizard.log" "nativeJvmInstalledInTemp = true"
  expect_grep "$WORK/wizard.log" "started properly"
  expect_no_grep "$QBX_REGISTRY" "JavaSoft"
  expect_no_file "$WORK/jvm/jre"
  ;;
bundle-reuse)
  # A suitable JVM is in the predefined directory already: no expansion, no registry change
  # (configureWinRegistry=no), no security files, recorded as not installed with its home.
  no_jvm_registered
  home="$SCENARIO_DIR/java/jre17"
  mkdir -p "$home" && (cd "$home" && "$EXPANDER" > /dev/null && mv jre/bin . && rmdir jre)
  fake_expander ": > '$SCENARIO_DIR/expander-ran'"
  use_bundle jvmsetup.exe "$home"
  set_control jvmHomeDir ""
  set_control configureWinRegistry no
  use_security_files
  run_installer
  wait_for_cleanup
  expect_no_file "$SCENARIO_DIR/expander-ran"
  expect_wizard_with "$START/wizard.log" "$home" false
  expect_grep "$START/wizard.log" "configureWinRegistry = false"
  expect_no_grep "$QBX_REGISTRY" "JavaSoft"
  expect_no_file "$home/lib"
  expect_no_file "$WINDIR/.keystore"
  ;;
bundle-empty)
  # An expander that leaves nothing behind.
  no_jvm_registered
  fake_expander "exit 0"
  use_bundle jvmsetup.exe "$SCENARIO_DIR/java/jre17"
  run_installer -q ""
  wait_for_cleanup
  expect_grep "$START/errors.log" "Unable to find JVM executable"
  expect_grep "$START/errors.log" "Unable to install JRE 17.0.2. Are the destination or temporary directories out of disk space?"
  expect_grep "$START/errors.log" "Other possible causes for errors:"
  expect_no_file "$START/wizard.log"
  ;;
vendor)
  # The vendor's installer: copied into the chosen directory, run there with the arguments as
  # written, removed; its JVM (installed elsewhere) found through the registry and used.
  no_jvm_registered
  cp "$SOURCE/tests/posix/vendor-installer.sh" "$WORK/jre-setup.exe"
  use_vendor_installer jre-setup.exe
  export QBX_VENDOR_LOG="$SCENARIO_DIR/vendor.log" QBX_VENDOR_HOME="$SCENARIO_DIR/vendor/jdk17"
  export QBX_JAVA_STUB="$SOURCE/tests/posix/java-stub.sh"
  : > "$WORK/jinstall.log"
  run_installer
  wait_for_cleanup
  chosen="$PROGRAMS/JavaSoft/JRE17/17"
  [ "$(cat "$QBX_VENDOR_LOG")" = "$chosen
[/s]
[/vINSTALLDIR=C:\Program Files\x]" ] || fail "vendor installer: $(cat "$QBX_VENDOR_LOG")"
  expect_grep "$START/jinstall.log" "jvm installer exit code: 7"
  expect_no_file "$chosen" # the copy removed, the empty directory too
  expect_wizard_with "$START/wizard.log" "$QBX_VENDOR_HOME" false
  ;;
retry)
  # The wizard does not start properly with the JVM found: a JVM is installed and the wizard
  # started again with it.
  register_jvm "$JVM"
  system_keys
  cp "$EXPANDER" "$WORK/"
  use_bundle jvmsetup.exe "$SCENARIO_DIR/java/jre17"
  set_control loaderJavaCommand "ExampleWizard --handshake-if-installed"
  run_installer
  wait_for_cleanup
  expect_grep "$START/wizard.log" "nativeJvmHomeDir = $JVM"
  expect_grep "$START/wizard.log" "nativeJvmHomeDir = $SCENARIO_DIR/java/jre17/jre"
  expect_grep "$START/wizard.log" "started properly"
  expect_grep "$START/errors.log" "Java wizard not started properly"
  expect_no_grep "$START/errors.log" "Unable to start the install wizard."
  ;;
texts)
  # A misspelled installer type, then a missing bundle: each failure's texts.
  no_jvm_registered
  cp "$EXPANDER" "$WORK/"
  use_bundle jvmsetup.exe "$SCENARIO_DIR/java/jre17"
  set_control jvmInstallerType selfExtractorJvmInstaller
  run_installer -q ""
  wait_for_cleanup
  expect_grep "$START/errors.log" "The correct version of the JRE was not found on your system."
  expect_grep "$START/errors.log" "You need version 11 or a later version, x64 memory model."
  rm "$START/errors.log"
  fill_work
  printf '%s\n' "$START" > "$WORK/startdir.txt"
  cp "$SOURCE/examples/payload/cleanup.exe" "$WORK/"
  use_bundle missing.exe "$SCENARIO_DIR/java/jre17"
  run_installer -q ""
  wait_for_cleanup
  expect_grep "$START/errors.log" "Unable to find JRE 11 or a later version on your system."
  expect_grep "$START/errors.log" "Please install the JVM and re-start this installer."
  ;;
*)
  fail "unknown scenario $SCENARIO"
  ;;
esac
echo "PASS: $SCENARIO"
