#!/bin/bash
# Runs every libFuzzer target of a build for some seconds each, in turn, each in a scratch
# directory (in memory where there is one: some targets write a file for each input), seeded from
# tests/fuzz/<name>; ends with a line per target. Findings are kept in <build>/fuzz-artifacts.
# Usage: run.sh <build dir with QBX_FUZZ on> [seconds per target]
set -u
BUILD=$(cd "${1:?usage: run.sh <build dir> [seconds]}" && pwd)
SECONDS_EACH=${2:-300}
LIST="$BUILD/fuzz-targets.txt"
[ -s "$LIST" ] || { echo "fuzz: no targets listed in $LIST (configure with QBX_FUZZ=ON)" >&2; exit 1; }
KEEP="$BUILD/fuzz-artifacts"
mkdir -p "$KEEP"
summary=()
total=0
stat() { sed -n "s/^stat::$1: *//p" "$work/log" | tail -1 | grep . || echo '?'; } # from the final statistics
while read -r name program seeds; do
  [ -x "$program" ] || { echo "fuzz: $program is not built" >&2; exit 1; }
  work=$(mktemp -d -p /dev/shm qbxfuzz.XXXXXX 2>/dev/null || mktemp -d) || exit 1
  mkdir "$work/corpus" "$work/artifacts"
  echo "fuzz: $name for $SECONDS_EACH s"
  # New inputs go to the scratch corpus (the first directory), never into the seeds.
  (cd "$work" && "$program" -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
     -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" > "$work/log" 2>&1)
  status=$?
  # The last status line names the corpus in memory, "corp: <inputs>/<size>".
  corpus=$(grep -o 'corp: [0-9]*/[0-9]*[a-zA-Z]*' "$work/log" | tail -1 | sed 's/corp: //')
  findings=$(find "$work/artifacts" -type f | wc -l)
  # A target that ended abnormally without an input to show counts one: see its log.
  [ "$status" -eq 0 ] || [ "$findings" -gt 0 ] || findings=1
  if [ "$findings" -gt 0 ]; then
    for artifact in "$work"/artifacts/*; do
      [ -f "$artifact" ] && cp "$artifact" "$KEEP/$name-$(basename "$artifact")"
    done
    cp "$work/log" "$KEEP/$name.log"
    tail -30 "$work/log"
  fi
  total=$((total + findings))
  summary+=("$(printf '%-20s %12s executions, corpus %-14s peak memory %5s MB, findings %s' \
    "$name" "$(stat number_of_executed_units)" "${corpus:-?}," "$(stat peak_rss_mb)" "$findings")")
  rm -rf "$work"
done < "$LIST"

echo
printf '%s\n' "${summary[@]}"
[ "$total" -eq 0 ] || { echo "fuzz: $total finding(s), kept in $KEEP" >&2; exit 1; }
