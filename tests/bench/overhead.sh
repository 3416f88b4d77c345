#!/bin/bash
# Benchmark: the launcher's own overhead in a whole install run, i.e. the time of the run minus
# the time of the JVM processes it starts (the version test and the wizard). Each JVM process is
# timed by the Java stand-in itself, so the difference is what the launcher adds: reading the
# control file, the registry search, the logs, the clean-up and, under Wine, its own start.
# Usage: overhead.sh native|wine [runs]        (needs the builds of `make native windows`)
set -u
MODE=${1:-native}
RUNS=${2:-5}
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"
now() { date +%s.%N; }

total_run=0
total_jvm=0
for run in $(seq 1 "$RUNS"); do
  if [ "$MODE" = native ]; then
    BUILD="$SOURCE/build/native"
    make_scenario "$BUILD/payload" "$SOURCE"
    export QBX_REGISTRY="$SCENARIO_DIR/registry.reg"
    export QBX_HOST_JAVA=$(readlink -f "$(command -v java)")
    JVM="$SCENARIO_DIR/jvm/jre17"
    mkdir -p "$JVM/bin"
    # The stub times the host JVM around the exec: a wrapper that records its own duration.
    cat > "$JVM/bin/java.exe" <<STUB
#!/bin/bash
start=\$(date +%s.%N)
"$SOURCE/tests/posix/java-stub.sh" "\$@"
code=\$?
echo "\$(date +%s.%N) \$start" >> "$SCENARIO_DIR/jvm-times"
exit \$code
STUB
    chmod +x "$JVM/bin/java.exe"
    cp "$JVM/bin/java.exe" "$JVM/bin/javaw.exe"
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]\n"JavaHome"="%s"\n"MicroVersion"="15"\n' "$JVM" > "$QBX_REGISTRY"
    start=$(now)
    (cd "$WORK" && "$BUILD/installer" > /dev/null 2>&1)
    end=$(now)
  else
    BUILD="$SOURCE/build/windows"
    RUN="$SOURCE/tests/wine/wine-run.sh"
    winpath() { printf 'Z:%s' "${1//\//\\}"; }
    make_scenario "$BUILD/payload" "$SOURCE"
    JVM="$SCENARIO_DIR/jvm/jre17"
    mkdir -p "$JVM/bin"
    for name in java.exe javaw.exe; do cp "$BUILD/java-stub.exe" "$JVM/bin/$name"; done
    export QBX_JVM_TIMES=$(winpath "$SCENARIO_DIR/jvm-times")
    key='HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\17.0'
    "$RUN" reg delete 'HKLM\SOFTWARE\JavaSoft' /f > /dev/null 2>&1
    "$RUN" reg add "$key" /v JavaHome /d "$(winpath "$JVM")" /f > /dev/null 2>&1
    "$RUN" reg add "$key" /v MicroVersion /d 15 /f > /dev/null 2>&1
    printf '%s -q ' "$(winpath "$BUILD/installer.exe")" > "$SCENARIO_DIR/cmdline.txt"
    start=$(now)
    (cd "$WORK" && "$RUN" "$(winpath "$BUILD/rawexec.exe")" "$(winpath "$SCENARIO_DIR/cmdline.txt")" > /dev/null 2>&1)
    end=$(now)
  fi
  [ -s "$SCENARIO_DIR/jvm-times" ] || fail "no JVM process was timed (run $run)"
  jvm=$(awk '{ sum += $1 - $2 } END { printf "%.3f", sum }' "$SCENARIO_DIR/jvm-times")
  whole=$(echo "$end $start" | awk '{ printf "%.3f", $1 - $2 }')
  printf 'run %d: whole %6.3f s, JVM processes %6.3f s (%d), launcher %6.3f s\n' "$run" "$whole" "$jvm" \
    "$(wc -l < "$SCENARIO_DIR/jvm-times")" "$(echo "$whole $jvm" | awk '{ print $1 - $2 }')"
  total_run=$(echo "$total_run $whole" | awk '{ print $1 + $2 }')
  total_jvm=$(echo "$total_jvm $jvm" | awk '{ print $1 + $2 }')
  rm -rf "$SCENARIO_DIR"
done
echo "$MODE: mean launcher overhead $(echo "$total_run $total_jvm $RUNS" | awk '{ printf "%.3f", ($1 - $2) / $3 }') s per run over $RUNS runs"
