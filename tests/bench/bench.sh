#!/bin/bash
# `make bench`: the shipped program's size and largest contributors, the file utilities against
# the system's tools, the launcher's own time and memory in a whole run; then one table. Works
# only in a temporary directory of its own. Usage: bench.sh [rounds]  (after `make native windows`)
# The I/O races take at least 7 rounds: on a shared machine single rounds scatter widely.
set -u
ROUNDS=$((${1:-7} < 7 ? 7 : ${1:-7}))
HERE=$(cd "$(dirname "$0")" && pwd)
SOURCE=$(cd "$HERE/../.." && pwd)
FILEBENCH="$SOURCE/build/native/filebench"
[ -x "$FILEBENCH" ] || { echo "bench: $FILEBENCH is not built (make native)" >&2; exit 1; }
ROOT=$(mktemp -d /tmp/qbxbench.XXXXXX) || exit 1
trap 'rm -rf "$ROOT"' EXIT
export QBX_BENCH_ROOT="$ROOT"

now() { date +%s.%N; }
calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }
# Seconds one command (a shell text) takes, its output discarded; a failure stops the benchmark.
seconds() {
  local start=$(now)
  eval "$1" > /dev/null 2>&1 || { echo "bench: failed: $1" >&2; exit 1; }
  calc "$(now) - $start"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The page cache would let whichever command reads a file second find it in memory: dropped before
# each command when the machine allows it (root), else said once.
if [ -w /proc/sys/vm/drop_caches ] && sync && echo 1 > /proc/sys/vm/drop_caches 2> /dev/null; then
  drop_cache() { sync && echo 1 > /proc/sys/vm/drop_caches; }
  echo "page cache: dropped before each timed command"
else
  drop_cache() { sync; }
  echo "page cache: could not be dropped (not root): the I/O figures include its effects"
fi
# Each command once a round after the preparation and a cache drop, in alternating order (the
# first after a big write lags, and a flush must not count against the next one). Prints one line
# a round with each command's seconds.
race() { # preparation, commands...
  local round i times
  for round in $(seq 1 "$ROUNDS"); do
    times=()
    for i in $(if ((round % 2)); then seq 2 $#; else seq $# -1 2; fi); do
      eval "$1" && drop_cache || exit 1
      times[i]=$(seconds "${!i}") || exit 1
    done
    echo "round $round:$(for ((i = 2; i <= $#; i++)); do printf ' %s s' "${times[i]}"; done)" >&2
    echo "${times[@]}"
  done
}
# The median of the values with their spread, the lowest and the highest: "m [lo-hi]" (no blanks).
spread() { echo "$(median "$@")[$(printf '%s\n' "$@" | sort -g | head -1)-$(printf '%s\n' "$@" | sort -g | tail -1)]"; }
# From race's lines: the median of column a, that of column b, and the spread of the rounds' a/b.
compare() { # lines, column a, column b
  echo "$(median $(awk -v c="$2" '{ print $c }' <<< "$1"))" "$(median $(awk -v c="$3" '{ print $c }' <<< "$1"))" \
       "$(spread $(awk -v a="$2" -v b="$3" '{ printf "%.3f\n", $a / ($b > 0 ? $b : 1e-9) }' <<< "$1"))"
}
rows=()
row() { rows+=("$(printf '%-48s | %-22s | %-36s | %-19s | %s' "$@")"); } # figure ours comparison ratio target

# --- The shipped program ----------------------------------------------------------------------
exe="$SOURCE/build/windows/installer.exe"
size=$(stat -c %s "$exe")
echo "installer.exe: $size bytes; imports:" $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
if [ -f "${exe%.exe}.map" ]; then
  echo "largest contributors (bytes of code and data, from the link map):"
  python3 "$HERE/mapsizes.py" "${exe%.exe}.map" 15 | sed 's/^/  /'
fi
row "installer.exe size (bytes)" "$size" "limit 307200 (300 KB)" "$(calc "$size / 307200")" "<= 1"

# --- copyFile on 1 GB against dd bs=30000 and cp ------------------------------------------------
echo "copy: a 1 GB file by copyFile, dd bs=30000, cp"
head -c 1073741824 /dev/zero > "$ROOT/big" || exit 1
times=$(race 'rm -f "$ROOT/copy"' '"$FILEBENCH" copy "$ROOT/big" "$ROOT/copy"' \
             'dd if="$ROOT/big" of="$ROOT/copy" bs=30000' 'cp "$ROOT/big" "$ROOT/copy"') || exit 1
rm -f "$ROOT/big" "$ROOT/copy"
read -r o d ratio < <(compare "$times" 1 2)
row "copyFile 1 GB (s)" "$o" "dd bs=30000 $d" "$ratio" "<= 1.2"
read -r o c ratio < <(compare "$times" 1 3)
row "copyFile 1 GB (s)" "$o" "cp $c" "$ratio" "(reported)"

# --- delDirTree against rm -rf on a JDK-sized tree ---------------------------------------------
# 500 directories up to four levels deep (lib, legal/<module>, include, ...) and 2000 files: ten
# of 25 MB (the modules image, the VM library), 1990 small ones that share 50 MB.
echo "delete: a tree of 500 directories, 2000 files, 300 MB by delDirTree, rm -rf"
dirs=("$ROOT/tree")
for i in $(seq 1 499); do dirs+=("${dirs[i / 6]}/d$i"); done
mkdir -p "${dirs[@]}" || exit 1
for i in $(seq 0 1999); do
  head -c $((i < 10 ? 25 << 20 : (50 << 20) / 1990)) /dev/urandom > "${dirs[i * 7 % 500]}/f$i.dat" || exit 1
done
times=$(race 'cp -a "$ROOT/tree" "$ROOT/copy"' '"$FILEBENCH" deltree "$ROOT/copy" && [ ! -e "$ROOT/copy" ]' \
             'rm -rf "$ROOT/copy"') || exit 1
rm -rf "$ROOT/tree"
read -r o r ratio < <(compare "$times" 1 2)
row "delDirTree JDK-sized tree (s)" "$o" "rm -rf $r" "$ratio" "<= 1.5"

# --- The launcher's own time and memory in a whole run ------------------------------------------
# The run's time minus that of the JVM processes (timed by the test java.exe into QBX_JVM_TIMES)
# and, under Wine, of a trivial program started the same way; apart, the time from the worker's
# removal of the installation marker to the end. Prints the spreads of the run's own time, of the
# time after the marker and of the trivial program, and the highest peak memory.
overhead() { # native|windows runs [build directory]
  local run start end base pid watcher command jvm whole launcher poll peak seen owns=() polls=() bases=() peaks=()
  . "$SOURCE/tests/e2e/$([ "$1" = native ] && echo native || echo wine).sh" "${3:-$SOURCE/build/$1}"
  wait_ready() { for _ in $(seq 1 1000); do [ ! -e "$SCENARIO_DIR/watch.ready" ] || return 0; sleep 0.01; done; }
  for run in $(seq 1 "$2"); do
    setup
    rm "$WORK/startdir.txt" # started in its own directory: the run starts no clean-up program
    export QBX_JVM_TIMES=$(P "$SCENARIO_DIR/jvm-times")
    base=0
    if [ "$1" = native ]; then
      sandbox
      command=("$INSTALLER")
    else
      reset_registry
      printf '%s ' "$(P "$BUILD/showcmdline.exe")" > "$SCENARIO_DIR/trivial.txt"
      printf '%s -q ' "$(P "$BUILD/installer.exe")" > "$SCENARIO_DIR/cmdline.txt"
      command=("$RUN" "$(P "$BUILD/rawexec.exe")")
      base=$(seconds '"${command[@]}" "$(P "$SCENARIO_DIR/trivial.txt")"')
      command+=("$(P "$SCENARIO_DIR/cmdline.txt")")
    fi
    register_found
    # The run starts once the watcher watches it (the process keeps its id through exec).
    (cd "$WORK" && wait_ready && now > "$SCENARIO_DIR/started" && exec "${command[@]}" > /dev/null 2>&1) &
    pid=$!
    "$HERE/watch.py" "$([ "$1" = native ] && echo $pid || echo 0)" "$WORK/__qbxinstall.sem" "$SCENARIO_DIR/watch" &
    watcher=$!
    wait "$pid"
    end=$(now)
    start=$(cat "$SCENARIO_DIR/started")
    kill -TERM "$watcher" 2> /dev/null
    wait "$watcher" 2> /dev/null
    [ -s "$SCENARIO_DIR/jvm-times" ] && [ -s "$SCENARIO_DIR/watch" ] || fail "no JVM times or watcher figures (run $run)"
    read -r peak seen < "$SCENARIO_DIR/watch"
    jvm=$(awk '{ sum += $1 - $2 } END { printf "%.3f", sum }' "$SCENARIO_DIR/jvm-times")
    whole=$(calc "$end - $start")
    launcher=$(calc "$whole - $jvm - $base")
    poll=0
    [ "$seen" = "0.000000" ] || poll=$(calc "$end - $seen")
    printf '%s run %d: whole %6.3f s, JVM processes %6.3f s (%d), trivial program %6.3f s, launcher %6.3f s, after the marker %6.3f s%s\n' \
      "$1" "$run" "$whole" "$jvm" "$(wc -l < "$SCENARIO_DIR/jvm-times")" "$base" "$launcher" "$poll" \
      "$([ "$1" = native ] && echo ", peak memory $peak kB")" >&2
    owns+=("$launcher") polls+=("$poll") bases+=("$base") peaks+=("$peak")
    rm -rf "$SCENARIO_DIR"
  done
  echo "$(spread "${owns[@]}")" "$(spread "${polls[@]}")" "$(spread "${bases[@]}")" \
       "$(printf '%s\n' "${peaks[@]}" | sort -g | tail -1)"
}
# QBX_BENCH_BASELINE: another source tree (its build/native and build/windows built), the same
# runs with its programs, for a before and after on one machine in one run.
BASELINE=${QBX_BENCH_BASELINE:-}
launcher_rows() { # label, build directory of the native run, of the Wine run
  local own poll peak base
  read -r own poll _ peak < <(overhead native 9 "$2") || exit 1
  row "launcher peak memory, native run (kB)$1" "$peak" "limit 8192" "$(calc "$peak / 8192")" "< 1"
  row "launcher's own time, native run (s)$1" "$own" "" "" "median < 0.040"
  row "  of it after the marker, native (s)$1" "$poll" "" "" "median < 0.010"
  read -r own poll base _ < <(overhead windows 5 "$3") || exit 1
  row "launcher's own time, wine run (s)$1" "$own" "trivial program $base" "" "(reported)"
  row "  of it after the marker, wine (s)$1" "$poll" "" "" "median < 0.020"
}
if [ -n "$BASELINE" ]; then
  echo "baseline: $BASELINE"
  launcher_rows " [baseline]" "$BASELINE/build/native" "$BASELINE/build/windows"
fi
launcher_rows "" "$SOURCE/build/native" "$SOURCE/build/windows"
echo
printf '%-48s | %-22s | %-36s | %-19s | %s\n' "figure: median[lowest-highest]" "ours" "comparison" "ratio" "target"
printf '%s\n' "${rows[@]}"
