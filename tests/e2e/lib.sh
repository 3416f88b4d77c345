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
  SCENARIO_DIR=$(mktemp -d "${TMPDIR:-/tmp}/qbx-e2e.XXXXXX")
  WORK="$SCENARIO_DIR/work"
  START="$SCENARIO_DIR/start"
  mkdir -p "$WORK/META-INF" "$START"
  cp "$source_dir/examples/payload/qbx.control" "$WORK/"
  cp "$source_dir/examples/payload/META-INF/MANIFEST.MF" "$WORK/META-INF/"
  cp "$payload_dir/install.jar" "$payload_dir/TestJvm.class" "$WORK/"
}

set_control() { # key value: replaces or adds a line of qbx.control
  local file="$WORK/qbx.control"
  grep -v "^$1=" "$file" > "$file.new" || true
  printf '%s=%s\n' "$1" "$2" >> "$file.new"
  mv "$file.new" "$file"
}
