# Shared pieces of the end-to-end scenarios: a fresh working and start directory with the example
# payload, checks that say what went wrong.
set -u
# The machine's own JAVA_HOME must not be a JVM the launcher finds.
unset JAVA_HOME

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

expect_file() { [ -e "$1" ] || fail "expected $1 to exist"; }
expect_no_file() { [ ! -e "$1" ] || fail "expected $1 to be gone"; }
expect_grep() {
  grep -q -F -- "$2" "$1" 2>/dev/null || { echo "--- $1:" >&2; cat "$1" >&2 2>/dev/null; fail "expected '$2' in $1"; }
}
expect_no_grep() {
  ! grep -q -F -- "$2" "$1" 2>/dev/null || fail "did not expect '$2' in $1"
}

# Makes $SCENARIO_DIR with work/ (the payload) and start/ (where the user started from).
make_scenario() {
  local payload_dir=$1 source_dir=$2
  # In lower case: the launcher registers a JVM home in lower case and copies from that path,
  # which a case-sensitive file system must still find.
  SCENARIO_DIR=$(mktemp -d "${TMPDIR:-/tmp}/qbx-e2e.XXXXXX")
  local lower=${SCENARIO_DIR,,}
  [ "$lower" = "$SCENARIO_DIR" ] || mv "$SCENARIO_DIR" "$lower" 2>/dev/null && SCENARIO_DIR=$lower
  WORK="$SCENARIO_DIR/work"
  START="$SCENARIO_DIR/start"
  PAYLOAD_DIR=$payload_dir
  SOURCE_DIR=$source_dir
  mkdir -p "$START"
  fill_work
}

# (Re)creates the working directory with the example payload, for a further run.
fill_work() {
  mkdir -p "$WORK/META-INF"
  cp "$SOURCE_DIR/examples/payload/qbx.control" "$WORK/"
  cp "$SOURCE_DIR/examples/payload/META-INF/MANIFEST.MF" "$WORK/META-INF/"
  cp "$PAYLOAD_DIR/install.jar" "$PAYLOAD_DIR/TestJvm.class" "$WORK/"
}

# The control keys of a bundled JVM: the expander's file name, its version, the predefined
# directory; the expander lays the JVM out in the subdirectory "jre".
use_bundle() { # expander file name, predefined directory
  set_control jvmInstallerType selfExtratorJvmInstaller
  set_control jvmSelfExtractor "$1"
  set_control jvmVersion 17.0.2
  set_control jvmHomeDir ./jre
  set_control predefinedJvmInstallDir "$2"
}

# The control keys of a vendor's installer, with arguments that hold a blank and quotes.
VENDOR_ARGS='/*/*/*/s/*/*/*/v"INSTALLDIR=C:\Program Files\x"'
use_vendor_installer() { # installer file name
  set_control jvmInstallerType thirdPartyJvmInstaller
  set_control jvmInstallerBinary "$1"
  set_control jvmInstallerCommand "$1$VENDOR_ARGS"
  set_control jvmVersion 17
}

# Security files of the payload: a user policy below the JVM and a keystore in the user's home.
use_security_files() {
  set_control userSecurityPolicyFilename '${java.home}/lib/security/user.policy'
  set_control keystoreFilename '${user.home}/.keystore'
  echo "grant {};" > "$WORK/user.policy"
  echo "keystore" > "$WORK/.keystore"
}

set_control() { # key value: replaces or adds a line of qbx.control
  local file="$WORK/qbx.control"
  grep -v "^$1=" "$file" > "$file.new" || true
  printf '%s=%s\n' "$1" "$2" >> "$file.new"
  mv "$file.new" "$file"
}

# The wizard ran properly with the JVM of that home, recorded as installed by the launcher or not.
expect_wizard_with() { # wizard.log home installed
  expect_grep "$1" "nativeJvmHomeDir = $2"
  expect_grep "$1" "nativeJvmInstalled = $3"
  expect_grep "$1" "started properly"
}

# The provisioning scenarios, the same on both builds. Each platform script defines:
#   P path           the path as the launcher writes it;  WIZ  the prefix of a path in wizard.log
#   sandbox          system folders of the scenario's own, no JVM registered
#   register_found   registers the scenario's JVM as found by the first search
#   put_expander N   our expander into the working directory as N
#   put_recorder N   a program there as N that only leaves args.out where it ran
#   put_vendor N     the vendor installer stand-in there as N (log and home in QBX_VENDOR_*)
#   launch           a quiet run, waiting for everything it started
#   runtime_value K V  the value V of the runtime's JavaSoft key with the suffix K
#   prepare_work     startdir.txt and the clean-up program of a fresh working directory
expect_reg() { # key suffix, value, text (empty: no value)
  local found
  found=$(runtime_value "$1" "$2")
  if [ -z "$3" ]; then
    [ -z "$found" ] || fail "expected no $2 under $1, found '$found'"
  else
    printf '%s' "$found" | grep -q -i -F -- "$3" || fail "expected $2 under $1 to hold $3, not '$found'"
  fi
}

provision_scenario() {
  local home chosen
  case "$1" in
  bundle-predefined)
    # Expanded into the predefined directory, registered, given the security files, used.
    sandbox
    put_expander jvmsetup.exe
    use_bundle jvmsetup.exe "$(P "$SCENARIO_DIR/java/jre17")"
    use_security_files
    launch
    home="$SCENARIO_DIR/java/jre17/jre"
    expect_wizard_with "$START/wizard.log" "$WIZ$home" true
    expect_grep "$START/wizard.log" "nativeJvmInstalledInTemp = false"
    expect_reg "" CurrentVersion 17.0
    expect_reg '\17.0' MicroVersion 2
    expect_reg '\17.0' JavaHome 'jre17\jre'
    expect_file "$WINDIR/java.exe"
    expect_file "$WINDIR/javaw.exe"
    expect_file "$home/lib/security/user.policy"
    expect_file "$WINDIR/.keystore"
    ;;
  bundle-appdir)
    # In the working directory ("jvm", whatever follows the variable): used, never registered,
    # and deleted by the clean-up. Started in its own directory, so that it stays to look at.
    sandbox
    printf '%s\n' "$(P "$WORK")" > "$WORK/startdir.txt"
    KEEP_WORK=1
    put_expander jvmsetup.exe
    use_bundle jvmsetup.exe '[$AppDir]\jvm17'
    launch
    expect_grep "$WORK/wizard.log" "nativeJvmHomeDir = $WIZ$WORK/jvm/jre"
    expect_grep "$WORK/wizard.log" "nativeJvmInstalledInTemp = true"
    expect_grep "$WORK/wizard.log" "started properly"
    expect_reg "" CurrentVersion ""
    expect_no_file "$WORK/jvm/jre"
    ;;
  bundle-reuse)
    # A suitable JVM is in the predefined directory already: no expansion, no registry change
    # (configureWinRegistry=no), no security files, recorded as not installed with its home.
    sandbox
    home="$SCENARIO_DIR/java/jre17"
    mkdir -p "$home/bin"
    cp "$JVM/bin/java.exe" "$JVM/bin/javaw.exe" "$home/bin/"
    put_recorder jvmsetup.exe
    use_bundle jvmsetup.exe "$(P "$home")"
    set_control jvmHomeDir ""
    set_control configureWinRegistry no
    use_security_files
    launch
    expect_no_file "$home/args.out"
    expect_wizard_with "$START/wizard.log" "$WIZ$home" false
    expect_grep "$START/wizard.log" "configureWinRegistry = false"
    expect_reg "" CurrentVersion ""
    expect_no_file "$home/lib"
    expect_no_file "$WINDIR/.keystore"
    ;;
  bundle-empty)
    # An expander that leaves nothing behind.
    sandbox
    put_recorder jvmsetup.exe
    use_bundle jvmsetup.exe "$(P "$SCENARIO_DIR/java/jre17")"
    launch
    expect_grep "$START/errors.log" "Unable to find JVM executable"
    expect_grep "$START/errors.log" "Unable to install JRE 17.0.2. Are the destination or temporary directories out of disk space?"
    expect_grep "$START/errors.log" "Other possible causes for errors:"
    expect_no_file "$START/wizard.log"
    ;;
  vendor)
    # The vendor's installer: copied into the chosen directory, run there with the arguments as
    # written, removed; its JVM (installed elsewhere) found through the registry and used.
    sandbox
    mkdir -p "$SCENARIO_DIR/vendor"
    export QBX_VENDOR_LOG=$(P "$SCENARIO_DIR/vendor.log") QBX_VENDOR_HOME=$(P "$SCENARIO_DIR/vendor/jdk17")
    put_vendor jre-setup.exe
    use_vendor_installer jre-setup.exe
    : > "$WORK/jinstall.log"
    launch
    chosen="$PROGRAMS/JavaSoft/JRE17/17"
    expect_grep "$SCENARIO_DIR/vendor.log" "$(P "$chosen")"
    expect_vendor_arguments "$SCENARIO_DIR/vendor.log"
    expect_grep "$START/jinstall.log" "jvm installer exit code: 7"
    expect_no_file "$chosen" # the copy removed, the empty directory too
    expect_wizard_with "$START/wizard.log" "$WIZ$SCENARIO_DIR/vendor/jdk17" false
    ;;
  retry)
    # The wizard does not start properly with the JVM found: a JVM is installed and the wizard
    # started again with it.
    sandbox
    register_found
    put_expander jvmsetup.exe
    use_bundle jvmsetup.exe "$(P "$SCENARIO_DIR/java/jre17")"
    set_control loaderJavaCommand "ExampleWizard --handshake-if-installed"
    launch
    expect_grep "$START/wizard.log" "nativeJvmHomeDir = $WIZ$JVM"
    expect_grep "$START/wizard.log" "nativeJvmHomeDir = $WIZ$SCENARIO_DIR/java/jre17/jre"
    expect_grep "$START/wizard.log" "started properly"
    expect_grep "$START/errors.log" "Java wizard not started properly"
    expect_no_grep "$START/errors.log" "Unable to start the install wizard."
    ;;
  texts)
    # A misspelled installer type, then a missing bundle: each failure's texts.
    sandbox
    put_expander jvmsetup.exe
    use_bundle jvmsetup.exe "$(P "$SCENARIO_DIR/java/jre17")"
    set_control jvmInstallerType selfExtractorJvmInstaller
    launch
    expect_grep "$START/errors.log" "The correct version of the JRE was not found on your system."
    expect_grep "$START/errors.log" "You need version 11 or a later version, x64 memory model."
    rm "$START/errors.log"
    fill_work
    prepare_work
    use_bundle missing.exe "$(P "$SCENARIO_DIR/java/jre17")"
    launch
    expect_grep "$START/errors.log" "Unable to find JRE 11 or a later version on your system."
    expect_grep "$START/errors.log" "Please install the JVM and re-start this installer."
    ;;
  *)
    return 1
    ;;
  esac
}
