# Shared pieces of the end-to-end runs: a fresh working and start directory with the example
# payload, checks that say what went wrong, and the scenarios that both builds run.
set -u
# The machine's own JAVA_HOME must not be a JVM the launcher finds.
unset JAVA_HOME

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { for file; do [ -e "$file" ] || fail "expected $file to exist"; done; } # files...
expect_no_file() { for file; do [ ! -e "$file" ] || fail "expected $file to be gone"; done; } # files...
expect_grep() { # file, texts...
  local file=$1 text
  shift
  for text; do
    grep -q -F -- "$text" "$file" 2>/dev/null ||
      { echo "--- $file:" >&2; cat "$file" >&2 2>/dev/null; fail "expected '$text' in $file"; }
  done
}
expect_no_grep() { ! grep -q -F -- "$2" "$1" 2>/dev/null || fail "did not expect '$2' in $1"; } # file, text
# $SCENARIO_DIR, in lower case (the launcher registers a JVM home in lower case and copies from
# that path): work/ (the payload), start/ (where the user started from), the Windows directory,
# Program Files and $JVM, a JVM home whose bin holds the java program $1.
make_scenario() { # java program, clean-up program
  SCENARIO_DIR=$(mktemp -d "${TMPDIR:-/tmp}/qbx-e2e.XXXXXX")
  local lower=${SCENARIO_DIR,,}
  [ "$lower" = "$SCENARIO_DIR" ] || mv "$SCENARIO_DIR" "$lower" 2>/dev/null && SCENARIO_DIR=$lower
  WORK="$SCENARIO_DIR/work"
  START="$SCENARIO_DIR/start"
  JVM="$SCENARIO_DIR/jvm/jre17"
  WINDIR="$SCENARIO_DIR/windows"
  PROGRAMS="$SCENARIO_DIR/Program Files"
  mkdir -p "$START" "$WORK/META-INF" "$JVM/bin" "$WINDIR/system" "$PROGRAMS"
  for name in java.exe javaw.exe; do cp "$1" "$JVM/bin/$name"; done
  cp "$2" "$WORK/cleanup.exe"
  cp "$SOURCE/examples/payload/qbx.control" "$WORK/"
  cp "$SOURCE/examples/payload/META-INF/MANIFEST.MF" "$WORK/META-INF/"
  cp "$BUILD/payload/install.jar" "$BUILD/payload/TestJvm.class" "$WORK/"
}
set_control() { # key value: replaces or adds a line of qbx.control
  sed -i "/^$1=/d" "$WORK/qbx.control"
  printf '%s=%s\n' "$1" "$2" >> "$WORK/qbx.control"
}
sha256() { sha256sum "$1" | cut -c1-64; }

# A bundled JVM, jvmsetup.exe: our expander, the recorder or none at all. The expander lays the
# JVM out in the subdirectory "jre" of the predefined directory (by default java/jre17).
use_bundle() { # expander|recorder|missing, [predefined directory]
  [ "$1" = missing ] || "put_$1" jvmsetup.exe
  set_control jvmInstallerType selfExtratorJvmInstaller
  set_control jvmSelfExtractor jvmsetup.exe
  set_control jvmVersion 17.0.2
  set_control jvmHomeDir ./jre
  set_control predefinedJvmInstallDir "${2:-$(P "$SCENARIO_DIR/java/jre17")}"
}
# A user policy below the JVM and a keystore in the user's home.
use_security_files() {
  set_control userSecurityPolicyFilename '${java.home}/lib/security/user.policy'
  set_control keystoreFilename '${user.home}/.keystore'
  echo "grant {};" > "$WORK/user.policy"
  echo "keystore" > "$WORK/.keystore"
}
expect_wizard_with() { # wizard.log, JVM home, installed by the launcher (true|false)
  expect_grep "$1" "nativeJvmHomeDir = $2" "nativeJvmInstalled = $3" "started properly"
}
expect_reg() { # key suffix, value, text (empty: no value)
  local found=$(runtime_value "$1" "$2")
  [ -n "$3$found" ] || return 0
  [ -n "$3" ] && printf '%s' "$found" | grep -q -i -F -- "$3" || fail "expected '$3' as $2 under $1, found '$found'"
}

# The scenarios of both builds. Each build script defines: P, W and U (a path as the launcher
# writes it, as wizard.log shows it, as the wizard's JVM receives it); sandbox (system folders of
# the scenario's own, no JVM registered); register_found ($JVM for the first search); put_expander,
# put_recorder, put_vendor N (our expander, a program that only leaves args.out, the vendor
# installer with QBX_VENDOR_LOG and _HOME, as N in the working directory); launch LINE (a run that
# waits for all it started; an empty line: with windows, the error box answered); runtime_value K V.
scenario() {
  local home
  case "$1" in
  quiet)
    register_found
    : > "$WORK/jinstall.log"
    launch "-q x"
    expect_grep "$START/jinstall.log" "Quite install: true" "set status quite" "first arg: java.exe" \
      "Found correct version of JVM: $(P "$JVM")\\bin\\java.exe" "Java wizard launched successfully" \
      "Args: java.exe -cp .;install.jar ExampleWizard -q x"
    expect_no_grep "$START/jinstall.log" "Searching for the JVM..."
    expect_grep "$START/wizard.log" "mode: quiet" "details: x"
    expect_wizard_with "$START/wizard.log" "$(W "$JVM")" false
    ;;
  samedir)
    # Started in its own directory: the clean-up programs are deleted, not started.
    register_found
    rm "$WORK/startdir.txt"
    launch ""
    cd "$WORK"
    expect_no_file __qbxinstall.sem __qbxshow.sem __qbxwizard.sem native.properties install.jar META-INF \
      cleanup.exe __cleanup.exe jinstall.sem jinstall.log
    expect_file qbx.control wizard.log
    ;;
  nohandshake)
    # The wizard never confirms its start, and no JVM can be installed for a retry.
    register_found
    set_control loaderJavaCommand "ExampleWizard --no-handshake"
    launch ""
    expect_grep "$START/errors.log" "Unable to start the install wizard."
    [ "$(grep -c 'Java wizard not started properly' "$START/errors.log")" -eq 1 ] ||
      fail "expected exactly one wizard start"
    expect_grep "$START/jinstall.log" "Installing the JVM..."
    ;;
  properties)
    register_found
    launch "-s \"$(P "$START/my props.txt")\""
    expect_grep "$START/wizard.log" "mode: properties" "details: $(U "$START/my props.txt")" "arguments: 2"
    ;;
  nojvm)
    # No JVM, and a misspelled installer type: nothing to install one with.
    use_bundle expander
    set_control jvmInstallerType selfExtractorJvmInstaller
    launch "-q "
    expect_grep "$START/errors.log" "The correct version of the JRE was not found on your system." \
      "You need version 11 or a later version, x64 memory model."
    expect_no_file "$START/wizard.log"
    ;;
  bundle-predefined)
    # Expanded into the predefined directory, registered, given the security files, used.
    use_bundle expander
    use_security_files
    set_control sha256JvmSelfExtractor "$(sha256 "$WORK/jvmsetup.exe")"
    : > "$WORK/jinstall.log"
    launch "-q "
    expect_grep "$START/jinstall.log" "SHA-256 checked: $(P "$WORK")\jvmsetup.exe"
    home="$SCENARIO_DIR/java/jre17/jre"
    expect_wizard_with "$START/wizard.log" "$(W "$home")" true
    # Quiet without details: the wizard gets neither the switch nor details.
    expect_grep "$START/wizard.log" "nativeJvmInstalledInTemp = false" "arguments: 0"
    expect_reg "" CurrentVersion 17.0
    expect_reg '\17.0' MicroVersion 2
    expect_reg '\17.0' JavaHome 'jre17\jre'
    expect_file "$WINDIR/java.exe" "$WINDIR/javaw.exe" "$home/lib/security/user.policy" "$WINDIR/.keystore"
    ;;
  bundle-appdir)
    # In the working directory ("jvm", whatever follows the variable): used, never registered,
    # deleted by the clean-up. Started there (named in other letter case), so the directory stays.
    printf '%s\n' "$(P "$WORK" | tr '[:lower:]' '[:upper:]')" > "$WORK/startdir.txt"
    use_bundle expander '[$AppDir]\jvm17'
    launch "-q "
    expect_grep "$WORK/wizard.log" "nativeJvmHomeDir = $(W "$WORK/jvm/jre")" "nativeJvmInstalledInTemp = true" \
      "started properly"
    expect_no_file "$WORK/cleanup.exe" "$WORK/__cleanup.exe" "$WINDIR/wizard.log" # not started; logs stay
    expect_reg "" CurrentVersion ""
    expect_no_file "$WORK/jvm/jre"
    ;;
  bundle-reuse)
    # A suitable JVM is in the predefined directory already: no expansion, no registry change
    # (configureWinRegistry=no), no security files, recorded as not installed with its home.
    home="$SCENARIO_DIR/java/jre17"
    mkdir -p "$home"
    cp -r "$JVM/bin" "$home/"
    use_bundle recorder "$(P "$home")"
    set_control jvmHomeDir ""
    set_control configureWinRegistry no
    use_security_files
    launch "-q "
    expect_no_file "$home/args.out" "$home/lib" "$WINDIR/.keystore"
    expect_wizard_with "$START/wizard.log" "$(W "$home")" false
    expect_grep "$START/wizard.log" "configureWinRegistry = false"
    expect_reg "" CurrentVersion ""
    ;;
  bundle-damaged)
    # Changed after the package was made: nothing runs, and the box says why.
    use_bundle recorder
    set_control sha256JvmSelfExtractor "$(sha256 "$WORK/jvmsetup.exe")"
    printf '\n' >> "$WORK/jvmsetup.exe"
    launch "-q "
    expect_grep "$START/errors.log" "The installation package is damaged." \
      "jvmsetup.exe is not the file the package was made with" "computed: $(sha256 "$WORK/jvmsetup.exe")"
    expect_no_file "$SCENARIO_DIR/java/jre17/args.out" "$START/wizard.log"
    ;;
  bundle-empty)
    # An expander that leaves nothing behind.
    use_bundle recorder
    launch "-q "
    expect_grep "$START/errors.log" "Unable to find JVM executable" "Other possible causes for errors:" \
      "Unable to install JRE 17.0.2. Are the destination or temporary directories out of disk space?"
    expect_no_file "$START/wizard.log"
    ;;
  vendor)
    # The vendor's installer: run from a copy in the chosen directory (removed after) with the
    # arguments as written; its JVM, installed elsewhere, found through the registry and used.
    export QBX_VENDOR_LOG=$(P "$SCENARIO_DIR/vendor.log") QBX_VENDOR_HOME=$(P "$SCENARIO_DIR/jdk17")
    put_vendor jre-setup.exe
    set_control jvmInstallerType thirdPartyJvmInstaller
    set_control jvmInstallerBinary jre-setup.exe
    set_control jvmInstallerCommand 'jre-setup.exe/*/*/*/s/*/*/*/v"INSTALLDIR=C:\Program Files\x"'
    set_control jvmVersion 17
    # As Windows 7's certutil prints it.
    set_control sha256JvmInstallerBinary "$(sha256 "$WORK/jre-setup.exe" | sed 's/../& /g' | tr a-f A-F)"
    : > "$WORK/jinstall.log"
    launch "-q "
    home="$PROGRAMS/JavaSoft/JRE17/17"
    grep -q 'SHA-256 checked: .*JRE17.17.jre-setup\.exe' "$START/jinstall.log" || fail "the installer's copy was not checked"
    expect_grep "$SCENARIO_DIR/vendor.log" "$(P "$home")"
    expect_vendor_arguments "$SCENARIO_DIR/vendor.log"
    expect_grep "$START/jinstall.log" "jvm installer exit code: 7"
    expect_no_file "$home"
    expect_wizard_with "$START/wizard.log" "$(W "$SCENARIO_DIR/jdk17")" false
    ;;
  retry)
    # The wizard does not start properly with the JVM found: it starts again with one installed.
    register_found
    use_bundle expander
    set_control loaderJavaCommand "ExampleWizard --handshake-if-installed"
    launch "-q "
    expect_grep "$START/wizard.log" "nativeJvmHomeDir = $(W "$JVM")" "started properly" \
      "nativeJvmHomeDir = $(W "$SCENARIO_DIR/java/jre17/jre")"
    expect_grep "$START/errors.log" "Java wizard not started properly"
    expect_no_grep "$START/errors.log" "Unable to start the install wizard."
    ;;
  *)
    return 1
    ;;
  esac
}
