#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the headless wine prefix of a Windows build folder: Chinese message-box buttons, the font
# substitutes, marlett, and a window drawn into a picture (written beside the checker as PNG so a
# person can look at it).
#   prefix_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "$1" && pwd)
picture="$build/packaging/windows/prefix-check"

rm -f "$picture.bmp" "$picture.png"
status=0
"$root/scripts/wine-run" -t 120 "$build" wine "$build/bin/wine_prefix_check.exe" "Z:$picture.bmp" || status=$?
"$root/scripts/wine-run" -t 60 "$build" wineserver -w || true
if [ "$status" -eq 0 ]; then
  convert "$picture.bmp" "$picture.png"
  echo "prefix_test: picture in $picture.png"
else
  echo "prefix_test: wine_prefix_check.exe failed with status $status" >&2
fi
exit "$status"
