#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A Windows program ships as one file: it may import nothing but DLLs that every Windows has.
#   check_imports.sh PROGRAM.exe win32|win64
set -euo pipefail
# shellcheck source=scripts/wine-env.sh
source "$(dirname "$0")/../../../scripts/wine-env.sh"
objdump=$(windows_triplet "$2")-objdump
imports=$("$objdump" -p "$1" | sed -n 's/^\tDLL Name: //p' | tr 'a-z' 'A-Z' | sort)
unexpected=$(grep -vxE 'ADVAPI32\.DLL|COMCTL32\.DLL|GDI32\.DLL|KERNEL32\.DLL|MSVCRT\.DLL|SHELL32\.DLL|USER32\.DLL' <<<"$imports" || true)
if [ -z "$imports" ] || [ -n "$unexpected" ]; then
  echo "check_imports: $1 imports more than system DLLs: ${unexpected:-nothing found}" >&2
  exit 1
fi
echo "check_imports: $1 imports only" $imports
