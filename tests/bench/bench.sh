#!/bin/bash
# `make bench` (bench.sh [rounds], after `make native windows`): installer.exe's size and largest
# parts, file utilities against the system's tools, the launcher's own time and memory: one table.
set -u
ROUNDS=$((${1:-7} < 7 ? 7 : ${1:-7})) # single rounds of I/O scatter widely on a shared machine
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
FILEBENCH="$SOURCE/build/native/filebench"
[ -x "$FILEBENCH" ] || { echo "bench: $FILEBENCH is not built (make native)" >&2; exit 1; }
ROOT=$(mktemp -d /tmp/qbxbench.XXXXXX) && cd "$ROOT" || exit 1
trap 'rm -rf "$ROOT"' EXIT
export QBX_BENCH_ROOT=$ROOT T="$ROOT/times" # T: one line a round or run, a column a figure
pick() { # the median of the column expression $1 over the lines of $T, with its spread: m[lowest-highest]
  awk -v OFMT=%.3f "{ print $1 }" "$T" | sort -g |
    awk '{ v[NR] = $1 } END { printf "%s[%s-%s]", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
row() { rows+=("$(printf '%-48s | %-22s | %-38s | %-19s | %s' "$@")"); } # figure ours comparison ratio target
row "figure: median[lowest-highest]" "ours" "comparison" "ratio" "target"

exe="$SOURCE/build/windows/installer.exe"
size=$(stat -c %s "$exe") || exit 1
echo "installer.exe: $size bytes; imports:" $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
[ -f "${exe%.exe}.map" ] && echo "largest contributors (bytes of code and data by object and by kind of section):" && awk '
  function hex(s,  n, i) { for (i = 3; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return n }
  /^ \./ { name = $1; if (NF == 1) next; $1 = ""; $0 = $0 } # a long name stands alone, the rest below
  name != "" && name !~ /^\.debug/ && hex($1) { # loaded: by object and by kind of section
    sub(/.*\//, "", $3); size[$3] += hex($2)
    match(name, /^\.[a-zA-Z]*/); size[substr(name, 1, RLENGTH)] += hex($2) }
  { name = "" }
  END { for (s in size) printf "  %8d  %s\n", size[s], s }' "${exe%.exe}.map" | sort -nr | head -22
row "installer.exe size (bytes)" "$size" "limit 307200 (300 KB)" "$(awk "BEGIN { print $size / 307200 }")" "<= 1"

# The page cache would let whichever command reads a file second find it in memory.
DROP='sync && echo 1 > /proc/sys/vm/drop_caches'
eval "$DROP" 2> /dev/null && echo "page cache: dropped before each timed command" ||
  { DROP=sync && echo "page cache: could not be dropped (not root): the I/O figures include its effects"; }
# Each command once a round after the preparation and a cache drop, in alternating order (the first
# after a big write lags, and a flush must not count against the next one): their seconds into $T.
race() { # preparation, commands...
  local round i start times=()
  : > "$T"
  for ((round = 1; round <= ROUNDS; round++)); do
    for i in $( ((round % 2)) && seq 2 $# || seq $# -1 2); do
      eval "$1 && $DROP" && start=$EPOCHREALTIME && eval "${!i}" > /dev/null 2>&1 ||
        { echo "bench: failed: ${!i}" >&2; exit 1; }
      times[i]=$(awk "BEGIN { printf \"%.3f\", $EPOCHREALTIME - $start }")
    done
    echo "round $round: ${times[*]} s" >&2 && echo "${times[*]}" >> "$T"
  done
}
echo "copy: a 1 GB file by copyFile, dd bs=30000, cp"
head -c 1073741824 /dev/zero > big || exit 1
race 'rm -f copy' '"$FILEBENCH" copy big copy' 'dd if=big of=copy bs=30000' 'cp big copy'
rm -f big copy
row "copyFile 1 GB (s)" "$(pick '$1')" "dd bs=30000 $(pick '$2')" "$(pick '$1 / $2')" "<= 1.2"
row "copyFile 1 GB (s)" "$(pick '$1')" "cp $(pick '$3')" "$(pick '$1 / $3')" "(reported)"

# A JDK-sized tree: 500 directories up to four levels deep (lib, legal/<module>, include, ...),
# 2000 files: ten of 25 MB (the modules image, the VM library), 1990 small ones sharing 50 MB.
echo "delete: a tree of 500 directories, 2000 files, 300 MB by delDirTree, rm -rf"
dirs=(tree); for i in $(seq 1 499); do dirs+=("${dirs[i / 6]}/d$i"); done
mkdir -p "${dirs[@]}" || exit 1
for i in $(seq 0 1999); do
  head -c $((i < 10 ? 25 << 20 : (50 << 20) / 1990)) /dev/urandom > "${dirs[i * 7 % 500]}/f$i.dat" || exit 1
done
race 'cp -a tree copy' '"$FILEBENCH" deltree copy && [ ! -e copy ]' 'rm -rf copy'
rm -rf tree
row "delDirTree JDK-sized tree (s)" "$(pick '$1')" "rm -rf $(pick '$2')" "$(pick '$1 / $2')" "<= 1.5"

# Whole runs of one build (native: interactive; windows: quiet, in the build's Wine prefix) in their
# own directory, into $T: own time (the run's minus its JVM processes' and, under Wine, a trivial
# program's), the part after the marker went, the trivial program's time, the peak memory.
runs() ( # native|windows, runs, build directory
  . "$SOURCE/tests/e2e/$([ "$1" = native ] && echo native || echo wine).sh" "$3"
  [ "$1" = native ] || { export QBX_WINEPREFIX=$WINEPREFIX && "$RUN" cmd /c exit > /dev/null 2>&1; } || fail "no Wine prefix"
  : > "$T"
  for ((run = 1; run <= $2; run++)); do
    setup && rm "$WORK/startdir.txt" && export QBX_JVM_TIMES=$(P "$SCENARIO_DIR/jvm-times")
    if [ "$1" = native ]; then
      sandbox && command=("$INSTALLER") base=0
    else
      reset_registry
      printf '%s ' "$(P "$BUILD/showcmdline.exe")" > "$SCENARIO_DIR/trivial.txt"
      printf '%s -q ' "$(P "$BUILD/installer.exe")" > "$SCENARIO_DIR/cmdline.txt"
      command=("$RUN" "$(P "$BUILD/rawexec.exe")")
      read -r base _ < <(cd "$WORK" && "$SOURCE/tests/bench/watch.py" "" "${command[@]}" "$(P "$SCENARIO_DIR/trivial.txt")")
      command+=("$(P "$SCENARIO_DIR/cmdline.txt")")
    fi
    register_found
    read -r whole peak after < <(cd "$WORK" && "$SOURCE/tests/bench/watch.py" "$WORK/__qbxinstall.sem" "${command[@]}")
    [ -n "${after:-}" ] && [ -s "$SCENARIO_DIR/jvm-times" ] || fail "the run failed or timed no JVM (run $run)"
    read -r jvm own < <(awk "{ s += \$1 - \$2 } END { printf \"%.3f %.3f\", s, $whole - s - $base }" "$SCENARIO_DIR/jvm-times")
    printf '%s run %d: whole %s s, JVM processes %s s, trivial program %s s, own %s s, after the marker %s s%s\n' \
      "$1" "$run" "$whole" "$jvm" "$base" "$own" "$after" "$([ "$1" = native ] && echo ", peak memory $peak kB")" >&2
    echo "$own $after $base $peak" >> "$T"
    rm -rf "$SCENARIO_DIR"
  done
)
# QBX_BENCH_BASELINE: another checkout, built: the same runs with its programs, for a before and
# after on one machine in one run.
for tree in ${QBX_BENCH_BASELINE:+"$QBX_BENCH_BASELINE"} "$SOURCE"; do
  label=$([ "$tree" = "$SOURCE" ] || echo " [baseline]")
  runs native 9 "$tree/build/native" || exit 1
  row "launcher peak memory, native run (kB)$label" "$(pick '$4')" "limit 8192" "$(pick '$4 / 8192')" "< 1"
  row "launcher's own time, native run (s)$label" "$(pick '$1')" "" "" "median < 0.040"
  row "  of it after the marker, native (s)$label" "$(pick '$2')" "" "" "median < 0.010"
  runs windows 5 "$tree/build/windows" || exit 1
  row "launcher's own time, wine run (s)$label" "$(pick '$1')" "trivial program $(pick '$3')" "" "(reported)"
  row "  of it after the marker, wine (s)$label" "$(pick '$2')" "" "" "median < 0.020"
done
printf '%s\n' "" "${rows[@]}"
