#!/bin/bash
# The demo: two whole install runs of the Linux build on the example payload. First with the
# machine's JDK standing in for an installed Windows JVM; then with no JVM installed, so that the
# payload's example self-expanding JVM provides one. Usage: demo.sh <native build dir>
# The registry, the Windows directory, Program Files and the search path of the runs all lie in
# the demo's temporary directory.
set -euo pipefail
BUILD=$(cd "${1:-build/native}" && pwd)
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
DEMO=$(mktemp -d "${TMPDIR:-/tmp}/qbx-demo.XXXXXX")
# All in lower case: the launcher registers a new JVM's home in lower case, as on Windows, and
# copies its launcher programs from that path, which Linux's file names must then match.
lower=${DEMO,,}
[ "$lower" = "$DEMO" ] || { mv "$DEMO" "$lower" 2>/dev/null && DEMO=$lower; }
export QBX_REGISTRY="$DEMO/registry.reg"
export QBX_HOST_JAVA=$(readlink -f "$(command -v java)")
WINDIR="$DEMO/windows"
PROGRAMS="$DEMO/program files"
mkdir -p "$WINDIR/system" "$PROGRAMS" "$DEMO/path"

say() { printf '\n\033[1m== %s\033[0m\n' "$*"; }
indent() { sed 's/^/    /'; }
trace() { grep -E "$1" "$START/jinstall.log" | cut -c26- | indent; }

# A fresh working directory (the payload) and start directory for one run.
prepare_run() {
  WORK="$DEMO/$1/work"
  START="$DEMO/$1/start"
  mkdir -p "$WORK/META-INF" "$START"
  cp "$SOURCE/examples/payload/qbx.control" "$SOURCE/examples/payload/cleanup.exe" "$WORK/"
  cp "$SOURCE/examples/payload/META-INF/MANIFEST.MF" "$WORK/META-INF/"
  cp "$BUILD/payload/install.jar" "$BUILD/payload/TestJvm.class" "$WORK/"
  printf '%s\n' "$START" > "$WORK/startdir.txt"
  # Ask for tracing, so that jinstall.log is kept and saved for you to read.
  : > "$WORK/jinstall.log"
}

# The stand-in registry: the Windows directory and Program Files, then the given JavaSoft keys.
write_registry() {
  cat > "$QBX_REGISTRY" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]
"SystemRoot"="$WINDIR"

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]
"ProgramFilesDir"="$PROGRAMS"
$1
REG
}

run_launcher() {
  echo "working directory: $(ls -A "$WORK" | tr '\n' ' ')"
  echo "control file:"; indent < "$WORK/qbx.control"
  say "Running the launcher in the working directory"
  local code=0
  (cd "$WORK" && PATH="$DEMO/path" "$BUILD/installer") || code=$?
  echo "exit code: $code"
}

wait_for_cleanup() {
  echo "    the launcher started __cleanup.exe with the working directory; waiting for it..."
  for _ in $(seq 1 50); do [ -d "$WORK" ] || break; sleep 0.1; done
  if [ -d "$WORK" ]; then
    echo "    working directory still there: $(ls -A "$WORK" | tr '\n' ' ')"
  else
    echo "    working directory removed: markers, native.properties, install.jar and the payload are gone"
  fi
}

say "Demo 1: a JVM is installed. Preparing it in $DEMO/found"
prepare_run found
JVM="$DEMO/jvm/jre-17"
mkdir -p "$JVM/bin"
for name in java.exe javaw.exe; do cp "$SOURCE/tests/posix/java-stub.sh" "$JVM/bin/$name"; done
write_registry "
[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8]
\"JavaHome\"=\"$DEMO/jvm/missing-jre-8\"
\"MicroVersion\"=\"0_401\"

[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]
\"JavaHome\"=\"$JVM\"
\"MicroVersion\"=\"15\""
echo "stand-in registry ($QBX_REGISTRY): JRE 1.8 (directory gone) and JRE 17.0 -> $JVM"
run_launcher

say "Which JVM was found"
trace "testing jvm in:|found jvm version|Found correct version|jvm home dir"

say "What the wizard saw (wizard.log, saved in the start directory)"
indent < "$START/wizard.log"

say "Logs saved in the start directory $START"
ls -l "$START" | indent

say "The clean-up hand-over"
wait_for_cleanup

say "Demo 2: no JVM is installed; the payload brings one. Preparing it in $DEMO/provided"
prepare_run provided
VERSION=$("$QBX_HOST_JAVA" -version 2>&1 | sed -n 's/.*version "\([^"]*\)".*/\1/p' | head -n 1)
cp "$SOURCE/examples/jvm/jvmsetup.exe" "$WORK/"
cat >> "$WORK/qbx.control" <<CONTROL
# The payload's self-expanding JVM (here a script that lays out a JVM for the machine's JDK).
jvmInstallerType=selfExtratorJvmInstaller
jvmSelfExtractor=jvmsetup.exe
jvmVersion=$VERSION
predefinedJvmInstallDir=[\$ProgFilesDir]\example\jvm
jvmHomeDir=./jre
CONTROL
write_registry ""
echo "stand-in registry: no JVM; Windows directory $WINDIR, Program Files $PROGRAMS"
run_launcher

say "How the JVM was provided"
trace "Correct version of JVM was not found|Installing the JVM|installing jvm in|Compressed JVM file|jvmsetup:|final jvm install directory|Added registry value|test jvm ok|jvm home dir"

say "The stand-in registry now"
grep -A3 "JavaSoft" "$QBX_REGISTRY" | indent
say "The JVM's launcher programs copied into the Windows directory $WINDIR"
ls "$WINDIR" | indent

say "What the wizard saw"
indent < "$START/wizard.log"

say "The clean-up hand-over"
wait_for_cleanup
echo "    the new JVM stays (it was installed for good): $(find "$PROGRAMS" -name java.exe | head -n 1)"
echo
echo "Full traces: $DEMO/found/start/jinstall.log and $DEMO/provided/start/jinstall.log"
