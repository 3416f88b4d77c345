#!/bin/bash
# Runs one end-to-end scenario again and again (by hand, not in the test suite): for faults that
# show only now and then. Stops at the first failure, whose output (with the file that did not
# hold what was expected, e.g. the trace) is kept.
# Usage: repeat.sh <build dir> <native|wine> <scenario> <runs>
set -u
build=$1 kind=$2 scenario=$3 runs=$4
script="$(cd "$(dirname "$0")" && pwd)/$kind.sh"
out="$build/repeat-$scenario.out"
for ((run = 1; run <= runs; run++)); do
  if ! bash "$script" "$build" "$scenario" > "$out" 2>&1; then
    echo "run $run of $runs FAILED; output in $out:"
    tail -n 40 "$out"
    exit 1
  fi
  echo "run $run of $runs passed"
done
