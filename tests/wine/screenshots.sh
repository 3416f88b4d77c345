#!/bin/bash
# Renders the status dialog of installer.exe in each of its nine languages, and one error box,
# under Wine on Xvfb: docs/screenshots/*.png. Usage: screenshots.sh <windows build dir> <output dir>
set -euo pipefail
OUT=$(mkdir -p "$2" && cd "$2" && pwd)
E2E="$(dirname "$0")/../e2e/wine.sh"
for pair in english:en_US french:fr_FR german:de_DE spanish:es_ES polish:pl_PL italian:it_IT \
            portuguese:pt_BR japanese:ja_JP dutch:nl_NL; do
  QBX_SHOT_LOCALE="${pair#*:}.UTF-8" QBX_SHOT_FILE="$OUT/status-${pair%%:*}.png" bash "$E2E" "$1" dialog
done
bash "$E2E" "$1" errorbox
cp "$1/e2e-artifacts/error-box-fr.png" "$OUT/error-box-fr.png"
ls -l "$OUT"
