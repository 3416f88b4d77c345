#!/bin/bash
# Renders the status dialog of installer.exe in each of its nine languages, and one error box,
# under Wine on Xvfb: docs/screenshots/*.png. Usage: screenshots.sh <windows build dir> <output dir>
set -euo pipefail
BUILD=$(cd "$1" && pwd)
mkdir -p "$2"
OUT=$(cd "$2" && pwd)
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
for pair in english:en_US french:fr_FR german:de_DE spanish:es_ES polish:pl_PL italian:it_IT \
            portuguese:pt_BR japanese:ja_JP dutch:nl_NL; do
  language=${pair%%:*}
  QBX_SHOT_LOCALE="${pair#*:}.UTF-8" QBX_SHOT_FILE="$OUT/status-$language.png" \
    bash "$SOURCE/tests/e2e/wine.sh" "$BUILD" screenshot
done
bash "$SOURCE/tests/e2e/wine.sh" "$BUILD" errorbox
cp "$BUILD/e2e-artifacts/error-box-fr.png" "$OUT/error-box-fr.png"
ls -l "$OUT"
