#!/usr/bin/env bash
# Runs the Windows test program beside lunacal.dll under wine, in a wine prefix of its own inside
# the build folder, with no display and nothing that could wait for input.
#   run_under_wine.sh path/to/build-windows
set -euo pipefail
build=$(cd "$1" && pwd)

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs; the test needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"

status=0
( cd "$build/bin" && timeout --kill-after=10 300 wine ./lunacal_dll_test.exe </dev/null ) || status=$?
# wineserver lingers after the last program; wait for it so that no process outlives this script.
timeout --kill-after=5 60 wineserver -w </dev/null || true
if [ "$status" -ne 0 ]; then
  echo "run_under_wine: lunacal_dll_test.exe failed with status $status" >&2
fi
exit "$status"
