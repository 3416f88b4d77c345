#!/bin/bash
# Proves the Wine test helpers of the windows build: helpers-test.sh CHECK BUILD_DIR
#   java_stub  a Java class run through java-stub.exe writes a file (paths, class path, cwd, status)
#   rawexec    rawexec.exe hands over an exact command line and passes the exit code back
set -euo pipefail

check="$1"
build="$(cd "$2" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run="$here/wine-run.sh"
work="$build/helpers-test/$check"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Z:\ is the Unix root in every Wine prefix.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

case "$check" in
java_stub)
    mkdir -p classes jvm/bin "call dir"
    cat > Probe.java <<'JAVA'
import java.nio.file.*;
public class Probe {
    public static void main(String[] args) throws Exception {
        String text = String.join("|", args) + "\n" + System.getProperty("user.dir") + "\n"
            + System.getProperty("java.class.path") + "\n" + System.getenv("CLASSPATH") + "\n";
        Files.writeString(Path.of(args[0]), text);
        System.exit(Integer.parseInt(args[1]));
    }
}
JAVA
    javac -d classes Probe.java
    cp "$build/java-stub.exe" jvm/bin/java.exe
    # Called from another Windows directory than the Unix one Wine was started in.
    status=0
    CLASSPATH="$(winpath "$work/none");extra" "$run" cmd /c \
        "cd /d $(winpath "$work/call dir") && $(winpath "$work/jvm/bin/java.exe") -cp .;$(winpath "$work/classes") Probe $(winpath "$work/out.txt") 5 relative\\name" \
        || status=$?
    [ "$status" = 5 ] || fail "exit status $status, expected 5"
    [ -f out.txt ] || fail "the Java class wrote no file"
    expected="$work/out.txt|5|relative\\name
$work/call dir
.:$work/classes
$work/none:extra"
    [ "$(cat out.txt)" = "$expected" ] || fail "unexpected output:
$(cat out.txt)
expected:
$expected"
    # A CLASSPATH the caller removed must not come back from the Unix environment.
    status=0
    CLASSPATH=/from/unix "$run" cmd /c \
        "set CLASSPATH=&& $(winpath "$work/jvm/bin/java.exe") -classpath $(winpath "$work/classes") Probe $(winpath "$work/out.txt") 0" \
        || status=$?
    [ "$status" = 0 ] || fail "exit status $status, expected 0"
    [ "$(sed -n 4p out.txt)" = null ] || fail "the JVM saw CLASSPATH $(sed -n 4p out.txt)"
    [ "$(sed -n 3p out.txt)" = "$work/classes" ] || fail "class path $(sed -n 3p out.txt)"
    ;;
rawexec)
    cp "$build/showcmdline.exe" "$build/rawexec.exe" .
    out="$(winpath "$work/line.txt")"
    # From a file: the trailing blank must arrive.
    printf 'showcmdline.exe -q ' > cmdline.txt
    status=0
    QBX_CMDLINE_OUT="$out" "$run" rawexec.exe cmdline.txt || status=$?
    [ "$status" = 3 ] || fail "exit status $status, expected 3"
    [ "$(cat line.txt)" = "showcmdline.exe -q " ] || fail "command line was [$(cat line.txt)]"
    # From the environment: an unbalanced quote must arrive as it is.
    status=0
    QBX_CMDLINE_OUT="$out" QBX_RAW_CMDLINE='showcmdline.exe -s "a b' "$run" rawexec.exe || status=$?
    [ "$status" = 3 ] || fail "exit status $status, expected 3"
    [ "$(cat line.txt)" = 'showcmdline.exe -s "a b' ] || fail "command line was [$(cat line.txt)]"
    ;;
*)
    fail "unknown check $check"
    ;;
esac
echo "ok: $check"
