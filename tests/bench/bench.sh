#!/bin/bash
# `make bench`: the shipped program's size and largest contributors, the file utilities against
# the system's tools, the launcher's own time and memory in a whole run; then one table. Works
# only in a temporary directory of its own. Usage: bench.sh [rounds]  (after `make native windows`)
set -u
ROUNDS=${1:-3}
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
# Each command once a round after the preparation and a sync, in alternating order (the first
# after a big write lags, and a flush must not count against the next one); prints the medians.
race() { # preparation, commands...
  local round i times=()
  for round in $(seq 1 "$ROUNDS"); do
    for i in $(if ((round % 2)); then seq 2 $#; else seq $# -1 2; fi); do
      eval "$1" && sync || exit 1
      times[i]+=" $(seconds "${!i}")" || exit 1
    done
    echo "round $round:$(for ((i = 2; i <= $#; i++)); do printf ' %s s' "${times[i]##* }"; done)" >&2
  done
  echo $(for ((i = 2; i <= $#; i++)); do median ${times[i]}; done)
}
rows=()
row() { rows+=("$(printf '%-44s | %-12s | %-22s | %-7s | %s' "$@")"); } # figure ours comparison ratio target

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
read -r o d c < <(race 'rm -f "$ROOT/copy"' '"$FILEBENCH" copy "$ROOT/big" "$ROOT/copy"' \
                       'dd if="$ROOT/big" of="$ROOT/copy" bs=30000' 'cp "$ROOT/big" "$ROOT/copy"')
[ -n "${c:-}" ] || exit 1
rm -f "$ROOT/big" "$ROOT/copy"
row "copyFile 1 GB (s)" "$o" "dd bs=30000 $d" "$(calc "$o / $d")" "<= 1.2"
row "copyFile 1 GB (s)" "$o" "cp $c" "$(calc "$o / $c")" "(reported)"

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
read -r o r < <(race 'cp -a "$ROOT/tree" "$ROOT/copy"' '"$FILEBENCH" deltree "$ROOT/copy" && [ ! -e "$ROOT/copy" ]' \
                     'rm -rf "$ROOT/copy"')
[ -n "${r:-}" ] || exit 1
rm -rf "$ROOT/tree"
row "delDirTree JDK-sized tree (s)" "$o" "rm -rf $r" "$(calc "$o / $r")" "<= 1.5"

# --- The launcher's own time and memory in a whole run ------------------------------------------
# The run's time minus that of the JVM processes (timed by the test java.exe into QBX_JVM_TIMES)
# and, under Wine, of a trivial program started the same way. From the worker's removal of the
# installation marker to the end is mostly the main thread's 100 ms poll. Prints the means.
overhead() { # native|windows runs
  local run start end base pid watcher command jvm whole launcher poll peak seen sums="0 0 0 0"
  . "$SOURCE/tests/e2e/$([ "$1" = native ] && echo native || echo wine).sh" "$SOURCE/build/$1"
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
    sums=$(echo $sums $launcher $poll $peak $base | awk '{ print $1 + $5, $2 + $6, ($3 > $7 ? $3 : $7), $4 + $8 }')
    rm -rf "$SCENARIO_DIR"
  done
  echo $sums | awk -v n="$2" '{ printf "%.3f %.3f %d %.3f\n", $1 / n, $2 / n, $3, $4 / n }'
}
read -r own poll peak _ < <(overhead native 5) || exit 1
row "launcher peak memory, native run (kB)" "$peak" "limit 8192" "$(calc "$peak / 8192")" "< 1"
row "launcher's own time, native run (s)" "$own" "after marker $poll" "$(calc "$poll / ($own > 0 ? $own : 1)")" "(share of the 100 ms poll)"
read -r own poll _ base < <(overhead windows 3) || exit 1
row "launcher's own time, wine run (s)" "$own" "after marker $poll" "$(calc "$poll / ($own > 0 ? $own : 1)")" "(share of the 100 ms poll)"
row "trivial program under Wine (s, subtracted)" "$base" "" "" ""

echo
printf '%-44s | %-12s | %-22s | %-7s | %s\n' "figure" "ours" "comparison" "ratio" "target"
printf '%s\n' "${rows[@]}"
