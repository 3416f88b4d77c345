#!/bin/bash
# Runs every libFuzzer target of a build for a number of seconds each, one after the other, each
# in a scratch directory of its own (its current directory, and the only place it writes), seeded
# from tests/fuzz/<name>. Ends with one line per target: executions, corpus size, peak memory,
# findings. Findings (crash, leak, timeout, out-of-memory inputs) are kept in <build>/fuzz-artifacts.
# Usage: run.sh <build dir with QBX_FUZZ on> [seconds per target]
set -u
BUILD=$(cd "${1:?usage: run.sh <build dir> [seconds]}" && pwd)
SECONDS_EACH=${2:-300}
LIST="$BUILD/fuzz-targets.txt"
[ -s "$LIST" ] || { echo "fuzz: no targets listed in $LIST (configure with QBX_FUZZ=ON)" >&2; exit 1; }
mkdir -p "$BUILD/fuzz-artifacts"

summary=()
total_findings=0
while read -r name program seeds; do
  [ -n "$name" ] || continue
  [ -x "$program" ] || { echo "fuzz: $program is not built" >&2; exit 1; }
  # In memory where the system offers it: the targets write a file for each input.
  work=$(mktemp -d -p /dev/shm qbxfuzz.XXXXXX 2>/dev/null || mktemp -d) || exit 1
  mkdir "$work/corpus" "$work/artifacts"
  echo "fuzz: $name for $SECONDS_EACH s"
  # New inputs go to the scratch corpus (the first directory), never into the seeds.
  (cd "$work" && "$program" -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
     -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" > "$work/log" 2>&1)
  status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$work/log" | tail -1)
  # The last status line names the corpus in memory, "corp: <inputs>/<size>".
  corpus=$(grep -o 'corp: [0-9]*/[0-9]*[a-zA-Z]*' "$work/log" | tail -1 | sed 's/corp: //')
  findings=$(find "$work/artifacts" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
    findings=1 # ended abnormally without an input to show: see the log
    cp "$work/log" "$BUILD/fuzz-artifacts/$name.log"
  fi
  if [ "$findings" -gt 0 ]; then
    for artifact in "$work"/artifacts/*; do
      [ -f "$artifact" ] && cp "$artifact" "$BUILD/fuzz-artifacts/$name-$(basename "$artifact")"
    done
    cp "$work/log" "$BUILD/fuzz-artifacts/$name.log"
    tail -30 "$work/log"
  fi
  total_findings=$((total_findings + findings))
  summary+=("$(printf '%-20s %12s executions, corpus %-14s peak memory %5s MB, findings %s' \
    "$name" "${executions:-?}" "${corpus:-?}," "${peak:-?}" "$findings")")
  rm -rf "$work"
done < "$LIST"

echo
for line in "${summary[@]}"; do echo "$line"; done
[ "$total_findings" -eq 0 ] || { echo "fuzz: $total_findings finding(s), kept in $BUILD/fuzz-artifacts" >&2; exit 1; }
