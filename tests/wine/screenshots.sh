#!/bin/bash
# Renders the status dialog of installer.exe in each of its nine languages at 100, 150 and 200%
# (96, 144 and 192 dpi), and error boxes (French at each scale, German and Japanese at 100%),
# under Wine on Xvfb: docs/screenshots/*.png, each of the window alone.
# Usage: screenshots.sh <windows build dir> <output dir>
set -euo pipefail
OUT=$(mkdir -p "$2" && cd "$2" && pwd)
E2E="$(dirname "$0")/../e2e/wine.sh"
shot() { # scenario, locale, dpi, file
  QBX_SHOT_LOCALE="$2.UTF-8" QBX_SHOT_DPI="$3" QBX_SHOT_FILE="$OUT/$4" bash "$E2E" "$BUILD" "$1"
}
BUILD=$1
for dpi in 96 144 192; do
  for pair in english:en_US french:fr_FR german:de_DE spanish:es_ES polish:pl_PL italian:it_IT \
              portuguese:pt_BR japanese:ja_JP dutch:nl_NL; do
    shot dialog "${pair#*:}" $dpi "status-${pair%%:*}-$dpi.png"
  done
  shot errorbox fr_FR $dpi "error-box-fr-$dpi.png"
done
for locale in de_DE ja_JP; do shot errorbox $locale 96 "error-box-${locale%_*}-96.png"; done
ls -l "$OUT"
