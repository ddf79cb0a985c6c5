#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Windows test programs under wine, in a wine prefix of its own inside the build folder, with
# no display and nothing that could wait for input. A program named without a folder is taken
# from the build folder's bin/, beside lunacal.dll; each runs in its own folder.
#   run_under_wine.sh path/to/build-windows [program.exe ...]   (default: lunacal_dll_test.exe)
set -euo pipefail
build=$(cd "$1" && pwd)
shift
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(lunacal_dll_test.exe)

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs; the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"

status=0
for program in "${programs[@]}"; do
  case $program in
    */*) path=$program ;;
    *) path=$build/bin/$program ;;
  esac
  program_status=0
  ( cd "$(dirname "$path")" && timeout --kill-after=10 300 wine "./$(basename "$path")" </dev/null ) ||
    program_status=$?
  if [ "$program_status" -ne 0 ]; then
    echo "run_under_wine: $program failed with status $program_status" >&2
    status=1
  fi
done
# wineserver lingers after the last program; wait for it so that no process outlives this script.
timeout --kill-after=5 60 wineserver -w </dev/null || true
exit "$status"
