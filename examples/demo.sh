#!/bin/bash
# The demo: a whole install run of the Linux build on the example payload, with the machine's JDK
# standing in for an installed Windows JVM. Usage: demo.sh <native build dir>
set -euo pipefail
BUILD=$(cd "${1:-build/native}" && pwd)
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
DEMO=$(mktemp -d "${TMPDIR:-/tmp}/qbx-demo.XXXXXX")
WORK="$DEMO/work"
START="$DEMO/start"
JVM="$DEMO/jvm/jre-17"
export QBX_REGISTRY="$DEMO/registry.reg"
export QBX_HOST_JAVA=$(readlink -f "$(command -v java)")

say() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

say "Preparing the demo in $DEMO"
mkdir -p "$WORK/META-INF" "$START" "$JVM/bin"
cp "$SOURCE/examples/payload/qbx.control" "$SOURCE/examples/payload/cleanup.exe" "$WORK/"
cp "$SOURCE/examples/payload/META-INF/MANIFEST.MF" "$WORK/META-INF/"
cp "$BUILD/payload/install.jar" "$BUILD/payload/TestJvm.class" "$WORK/"
printf '%s\n' "$START" > "$WORK/startdir.txt"
for name in java.exe javaw.exe; do cp "$SOURCE/tests/posix/java-stub.sh" "$JVM/bin/$name"; done
cat > "$QBX_REGISTRY" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8]
"JavaHome"="$DEMO/jvm/missing-jre-8"
"MicroVersion"="0_401"

[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]
"JavaHome"="$JVM"
"MicroVersion"="15"
REG
# Ask for tracing, so that jinstall.log is kept and saved for you to read.
: > "$WORK/jinstall.log"
echo "working directory: $(ls -A "$WORK" | tr '\n' ' ')"
echo "control file:"; sed 's/^/    /' "$WORK/qbx.control"
echo "stand-in registry ($QBX_REGISTRY): JRE 1.8 (directory gone) and JRE 17.0 -> $JVM"

say "Running the launcher in the working directory"
code=0
(cd "$WORK" && "$BUILD/installer") || code=$?
echo "exit code: $code"

say "Which JVM was found"
grep -E "testing jvm in:|found jvm version|Found correct version|jvm home dir" "$START/jinstall.log" | cut -c26- | sed 's/^/    /'

say "What the wizard saw (wizard.log, saved in the start directory)"
sed 's/^/    /' "$START/wizard.log"

say "Logs saved in the start directory $START"
ls -l "$START" | sed 's/^/    /'

say "The clean-up hand-over"
echo "    the launcher started __cleanup.exe with the working directory; waiting for it..."
for _ in $(seq 1 50); do [ -d "$WORK" ] || break; sleep 0.1; done
if [ -d "$WORK" ]; then
  echo "    working directory still there: $(ls -A "$WORK" | tr '\n' ' ')"
else
  echo "    working directory removed: markers, native.properties, install.jar and the payload are gone"
fi
echo
echo "Full trace: $START/jinstall.log"
