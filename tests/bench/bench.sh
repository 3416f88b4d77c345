#!/bin/bash
# `make bench`: the shipped program's size and largest contributors, then each cost that grows
# with the work against the tool a user would compare it with, measured side by side in one run,
# and one table at the end: figure, ours, the comparison, the ratio (and the target).
# Works only in a temporary directory of its own below /tmp, removed at the end.
# Usage: bench.sh [rounds]      (needs the builds of `make native windows`)
set -u
ROUNDS=${1:-3}
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
NATIVE="$SOURCE/build/native"
WINDOWS="$SOURCE/build/windows"
FILEBENCH="$NATIVE/filebench"
[ -x "$FILEBENCH" ] || { echo "bench: $FILEBENCH is not built (make native)" >&2; exit 1; }

ROOT=$(mktemp -d /tmp/qbxbench.XXXXXX) || exit 1
trap 'rm -rf "$ROOT"' EXIT
export QBX_BENCH_ROOT="$ROOT"

calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }
# Seconds one command takes (its output discarded); a failure stops the benchmark.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1 || { echo "bench: failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  calc "$end - $start"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

rows=()
row() { # figure ours comparison ratio target
  rows+=("$(printf '%-44s | %-12s | %-22s | %-7s | %s' "$@")")
}

# --- The shipped program ----------------------------------------------------------------------
exe="$WINDOWS/installer.exe"
size=$(stat -c %s "$exe")
echo "installer.exe: $size bytes; imports:" $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
if [ -f "$WINDOWS/installer.map" ]; then
  echo "largest contributors (bytes of code and data, from the link map):"
  python3 "$SOURCE/tests/bench/mapsizes.py" "$WINDOWS/installer.map" 15 | sed 's/^/  /'
fi
row "installer.exe size (bytes)" "$size" "limit 307200 (300 KB)" "$(calc "$size / 307200")" "<= 1"

# --- copyFile on 1 GB against dd bs=30000 and cp ------------------------------------------------
echo "copy: writing a 1 GB file"
head -c 1073741824 /dev/zero > "$ROOT/big" || exit 1
ours=(); dd_=(); cp_=()
for round in $(seq 1 "$ROUNDS"); do
  ours+=("$(seconds "$FILEBENCH" copy "$ROOT/big" "$ROOT/copy")"); rm -f "$ROOT/copy"
  dd_+=("$(seconds dd if="$ROOT/big" of="$ROOT/copy" bs=30000)"); rm -f "$ROOT/copy"
  cp_+=("$(seconds cp "$ROOT/big" "$ROOT/copy")"); rm -f "$ROOT/copy"
  echo "copy round $round: copyFile ${ours[-1]} s, dd bs=30000 ${dd_[-1]} s, cp ${cp_[-1]} s"
done
rm -f "$ROOT/big"
o=$(median "${ours[@]}"); d=$(median "${dd_[@]}"); c=$(median "${cp_[@]}")
row "copyFile 1 GB (s)" "$o" "dd bs=30000 $d" "$(calc "$o / $d")" "<= 1.2"
row "copyFile 1 GB (s)" "$o" "cp $c" "$(calc "$o / $c")" "(reported)"

# --- delDirTree against rm -rf on a JDK-sized tree ---------------------------------------------
echo "delete: making a tree of 500 directories, 2000 files, 300 MB"
python3 - "$ROOT/tree" <<'PY' || exit 1
import os, sys
root = sys.argv[1]
dirs = [root]
# 500 directories, up to four levels deep, as in a JDK (lib, legal/<module>, include, ...).
while len(dirs) < 500:
    parent = dirs[len(dirs) // 6]
    path = os.path.join(parent, f"d{len(dirs)}")
    dirs.append(path)
for d in dirs:
    os.makedirs(d, exist_ok=True)
# 2000 files: ten large ones (the modules image, the VM library) of 25 MB and 1990 small ones
# that share the remaining 50 MB.
block = os.urandom(1 << 20)
for i in range(2000):
    size = 25 << 20 if i < 10 else (50 << 20) // 1990
    with open(os.path.join(dirs[(i * 7) % len(dirs)], f"f{i}.dat"), "wb") as f:
        while size > 0:
            f.write(block[:min(size, len(block))])
            size -= len(block)
PY
ours=(); rm_=()
for round in $(seq 1 "$ROUNDS"); do
  cp -a "$ROOT/tree" "$ROOT/a"; cp -a "$ROOT/tree" "$ROOT/b"
  if [ $((round % 2)) -eq 1 ]; then
    ours+=("$(seconds "$FILEBENCH" deltree "$ROOT/a")"); rm_+=("$(seconds rm -rf "$ROOT/b")")
  else
    rm_+=("$(seconds rm -rf "$ROOT/b")"); ours+=("$(seconds "$FILEBENCH" deltree "$ROOT/a")")
  fi
  [ ! -e "$ROOT/a" ] || { echo "bench: delDirTree left $ROOT/a" >&2; exit 1; }
  echo "delete round $round: delDirTree ${ours[-1]} s, rm -rf ${rm_[-1]} s"
done
rm -rf "$ROOT/tree"
o=$(median "${ours[@]}"); r=$(median "${rm_[@]}")
row "delDirTree JDK-sized tree (s)" "$o" "rm -rf $r" "$(calc "$o / $r")" "<= 1.5"

# --- The launcher's own time and memory in a whole run ------------------------------------------
"$SOURCE/tests/bench/overhead.sh" native 5 | tee "$ROOT/native.txt"
"$SOURCE/tests/bench/overhead.sh" wine 3 | tee "$ROOT/wine.txt"
value() { sed -n "s/^RESULT .*$2=\([0-9.]*\).*/\1/p" "$1"; }
peak=$(value "$ROOT/native.txt" peak_kb)
row "launcher peak memory, native run (kB)" "$peak" "limit 8192" "$(calc "$peak / 8192")" "< 1"
for mode in native wine; do
  own=$(value "$ROOT/$mode.txt" launcher); poll=$(value "$ROOT/$mode.txt" poll)
  row "launcher's own time, $mode run (s)" "$own" "after marker $poll" "$(calc "$poll / ($own > 0 ? $own : 1)")" "(share of the 100 ms poll)"
done
[ "$(value "$ROOT/wine.txt" baseline)" ] && row "trivial program under Wine (s, subtracted)" "$(value "$ROOT/wine.txt" baseline)" "" "" ""

echo
printf '%-44s | %-12s | %-22s | %-7s | %s\n' "figure" "ours" "comparison" "ratio" "target"
for line in "${rows[@]}"; do echo "$line"; done
