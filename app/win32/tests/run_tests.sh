#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the Windows tests of the window under wine, headless: the in-process window tests (once more
# at 144 DPI for the window's fit), then the real name.exe driven from outside, then the settings
# that run wrote, read back from the registry. NAME_OTHER_ARCH_DLL may name a lunacal.dll of the
# other architecture (Windows or unix path); without it that one check is skipped.
#   run_tests.sh path/to/build-windows
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix" "$1"
wine_env "$1"
build=$(cd "$1" && pwd)
bin="$build/bin"
objdump=$(windows_triplet "$WINEARCH")-objdump

run() {
  ( cd "$bin" && timeout --kill-after=10 300 wine "$@" </dev/null )
}

status=0
# One file to copy: name.exe needs nothing but DLLs that every Windows has.
imports=$("$objdump" -p "$bin/name.exe" | sed -n 's/^\tDLL Name: //p' | tr 'a-z' 'A-Z' | sort)
unexpected=$(grep -vxE 'ADVAPI32\.DLL|COMCTL32\.DLL|GDI32\.DLL|KERNEL32\.DLL|MSVCRT\.DLL|SHELL32\.DLL|USER32\.DLL' <<<"$imports" || true)
if [ -z "$imports" ] || [ -n "$unexpected" ]; then
  echo "run_tests: name.exe imports more than system DLLs: ${unexpected:-nothing found}" >&2
  status=1
fi

run ./name_win32_test.exe || { echo "run_tests: name_win32_test.exe failed with status $?" >&2; status=1; }
# Once more under an English locale, where the system's own message-box buttons would read Yes,
# No and OK: the window's must still be Chinese.
( export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8; run ./name_win32_test.exe ) ||
  { echo "run_tests: name_win32_test.exe failed under en_US with status $?" >&2; status=1; }

# The window's fit once more at 144 DPI, in a prefix of its own whose screen is set to it.
( export NAME_WINE_DPI=144; "$root/scripts/wine-prefix" "$1"; wine_env "$1"; run ./name_win32_test.exe --dpi=144 ) ||
  { echo "run_tests: name_win32_test.exe --dpi=144 failed with status $?" >&2; status=1; }

settings_key='HKCU\Software\VB and VBA Program Settings\tavren\Start'
timeout 60 wine reg delete "$settings_key" /f >/dev/null 2>&1 </dev/null || true
run ./name_e2e_test.exe || { echo "run_tests: name_e2e_test.exe failed with status $?" >&2; status=1; }

# wine reg query garbles non-ASCII text; an export is UTF-16 and reads back exactly.
export_file=$(mktemp --suffix=.reg)
if timeout 60 wine reg export "$settings_key" "$(winepath -w "$export_file")" /y >/dev/null </dev/null; then
  exported=$(iconv -f UTF-16LE -t UTF-8 "$export_file" | tr -d '\r')
  # In a .reg file a backslash is written twice.
  program_folder=$(winepath -w "$bin" | sed 's/\\/\\\\/g')
  for expected in "\"Path\"=\"$program_folder\"" '"Ver"="3.1"'; do
    if ! grep -qxF "$expected" <<<"$exported"; then
      echo "run_tests: the settings lack $expected; they hold:" >&2
      echo "$exported" >&2
      status=1
    fi
  done
else
  echo "run_tests: name.exe wrote no settings under $settings_key" >&2
  status=1
fi
rm -f "$export_file"

# wineserver lingers after the last program; wait for it so that no process outlives this script.
timeout --kill-after=5 60 wineserver -w </dev/null || true
exit "$status"
