#!/bin/bash
# Benchmark: the launcher's own overhead in a whole install run, i.e. the time of the run minus
# the time of the JVM processes it starts (the version test and the wizard). Each JVM process is
# timed by the Java stand-in itself, so the difference is what the launcher adds: reading the
# control file, the registry search, the logs, the clean-up and, under Wine, its own start.
# Under Wine the start of a trivial Windows program, started the same way, is subtracted too, so
# that the figure is the launcher's and not Wine's. A watcher notes when the worker removes the
# installation marker: the time from then to the end of the process is mostly the main thread's
# 100 ms marker poll. Natively it also takes the launcher process's own peak memory.
# Usage: overhead.sh native|wine [runs]        (needs the builds of `make native windows`)
# Last line: "RESULT <mode> launcher=<s> poll=<s> peak_kb=<kB> baseline=<s>" (means over the runs,
# the largest peak).
set -u
MODE=${1:-native}
RUNS=${2:-5}
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"
now() { date +%s.%N; }
# Waits (up to 10 s) until the watcher of this run watches.
wait_ready() {
  local tries=0
  while [ ! -e "$SCENARIO_DIR/watch.ready" ] && [ $tries -lt 1000 ]; do sleep 0.01; tries=$((tries + 1)); done
}
calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }

total_run=0
total_jvm=0
total_poll=0
total_base=0
peak_max=0
for run in $(seq 1 "$RUNS"); do
  base=0
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
    # The launcher starts once the watcher watches it (the process keeps its id through exec).
    (cd "$WORK" && wait_ready && now > "$SCENARIO_DIR/start-time" && exec "$BUILD/installer" > /dev/null 2>&1) &
    pid=$!
    "$SOURCE/tests/bench/watch.py" "$pid" "$WORK/__qbxinstall.sem" "$SCENARIO_DIR/watch" &
    watcher=$!
    wait "$pid"
    end=$(now)
    start=$(cat "$SCENARIO_DIR/start-time")
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
    # The baseline: a trivial program, started the same way.
    printf '%s ' "$(winpath "$BUILD/showcmdline.exe")" > "$SCENARIO_DIR/trivial.txt"
    start=$(now)
    (cd "$WORK" && QBX_CMDLINE_OUT=$(winpath "$SCENARIO_DIR/trivial.out") \
       "$RUN" "$(winpath "$BUILD/rawexec.exe")" "$(winpath "$SCENARIO_DIR/trivial.txt")" > /dev/null 2>&1)
    base=$(calc "$(now) - $start")
    printf '%s -q ' "$(winpath "$BUILD/installer.exe")" > "$SCENARIO_DIR/cmdline.txt"
    "$SOURCE/tests/bench/watch.py" 0 "$WORK/__qbxinstall.sem" "$SCENARIO_DIR/watch" &
    watcher=$!
    wait_ready
    start=$(now)
    (cd "$WORK" && "$RUN" "$(winpath "$BUILD/rawexec.exe")" "$(winpath "$SCENARIO_DIR/cmdline.txt")" > /dev/null 2>&1)
    end=$(now)
  fi
  kill -TERM "$watcher" 2> /dev/null
  wait "$watcher" 2> /dev/null
  [ -s "$SCENARIO_DIR/jvm-times" ] || fail "no JVM process was timed (run $run)"
  [ -s "$SCENARIO_DIR/watch" ] || fail "the watcher left no figures (run $run)"
  read -r peak last_seen < "$SCENARIO_DIR/watch"
  jvm=$(awk '{ sum += $1 - $2 } END { printf "%.3f", sum }' "$SCENARIO_DIR/jvm-times")
  whole=$(calc "$end - $start")
  launcher=$(calc "$whole - $jvm - $base")
  # From the marker's removal to the end of the process: the poll's wait (and the exit).
  poll=0
  [ "$last_seen" != "0.000000" ] && poll=$(calc "$end - $last_seen")
  printf 'run %d: whole %6.3f s, JVM processes %6.3f s (%d), trivial program %6.3f s, launcher %6.3f s, after the marker %6.3f s%s\n' \
    "$run" "$whole" "$jvm" "$(wc -l < "$SCENARIO_DIR/jvm-times")" "$base" "$launcher" "$poll" \
    "$([ "$MODE" = native ] && printf ', peak memory %d kB' "$peak")"
  total_run=$(calc "$total_run + $whole")
  total_jvm=$(calc "$total_jvm + $jvm")
  total_poll=$(calc "$total_poll + $poll")
  total_base=$(calc "$total_base + $base")
  [ "$peak" -gt "$peak_max" ] && peak_max=$peak
  rm -rf "$SCENARIO_DIR"
done
mean=$(calc "($total_run - $total_jvm - $total_base) / $RUNS")
echo "$MODE: mean launcher overhead $mean s per run over $RUNS runs, of which $(calc "$total_poll / $RUNS") s after the marker"
echo "RESULT $MODE launcher=$mean poll=$(calc "$total_poll / $RUNS") peak_kb=$peak_max baseline=$(calc "$total_base / $RUNS")"
