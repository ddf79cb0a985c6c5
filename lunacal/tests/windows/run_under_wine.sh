#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Windows test programs under wine, in the headless prefix of their build folder (see
# scripts/wine-env.sh), with nothing that could wait for input. A program named without a folder is
# taken from the build folder's bin/, beside lunacal.dll; each runs in its own folder.
#   run_under_wine.sh path/to/build-windows [program.exe ...]   (default: lunacal_dll_test.exe)
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "$1" && pwd)
shift
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(lunacal_dll_test.exe)

status=0
for program in "${programs[@]}"; do
  case $program in
    */*) path=$program ;;
    *) path=$build/bin/$program ;;
  esac
  program_status=0
  ( cd "$(dirname "$path")" && "$root/scripts/wine-run" "$build" wine "./$(basename "$path")" ) ||
    program_status=$?
  if [ "$program_status" -ne 0 ]; then
    echo "run_under_wine: $program failed with status $program_status" >&2
    status=1
  fi
done
# wineserver lingers after the last program; wait for it so that no process outlives this script.
"$root/scripts/wine-run" -t 60 "$build" wineserver -w || true
exit "$status"
