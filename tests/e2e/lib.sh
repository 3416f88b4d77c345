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
