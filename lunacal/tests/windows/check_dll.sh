#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the PE tables of a built lunacal.dll: it is a DLL of the wanted architecture, the export
# table holds exactly the 18 plain names with their ordinals, the DLL imports nothing but DLLs that
# every Windows has, and as shipped it has a version resource, no debug sections and no time stamp.
#   check_dll.sh path/to/lunacal.dll [win32|win64]   (default: win32)
set -euo pipefail
# shellcheck source=scripts/wine-env.sh
source "$(dirname "$0")/../../../scripts/wine-env.sh"
dll=$1
arch=${2:-win32}
case $arch in
  win32 | win64) ;;
  *) echo "usage: check_dll.sh DLL [win32|win64]" >&2; exit 2 ;;
esac
objdump=$(windows_triplet "$arch")-objdump
format=$(windows_pe_format "$arch")

actual_format=$("$objdump" -f "$dll" | sed -n 's/.*file format \(.*\)$/\1/p')
if [ "$actual_format" != "$format" ]; then
  echo "check_dll: $dll is ${actual_format:-not a PE file}, wanted $format" >&2
  exit 1
fi

# The ordinals and plain names of the one list of the exports, "1 GetGLToRLDay" ... "18 SysDiskID".
expected=$(sed -n 's/^[[:space:]]*\([A-Za-z_]*\)@[0-9]*[[:space:]]*@\([0-9]*\)[[:space:]]*$/\2 \1/p' \
  "$(dirname "$0")/../../lunacal.def" | sort -n)
if [ "$(wc -l <<<"$expected")" -ne 18 ]; then
  echo "check_dll: lunacal.def does not list 18 exports" >&2
  exit 1
fi

# In UTC, so a build without a time stamp reads as the start of 1970 wherever it is checked.
headers=$(TZ=UTC "$objdump" -p "$dll")
# objdump lists the header's characteristics one a line below it.
if ! grep -qx $'\tDLL' <<<"$headers"; then
  echo "check_dll: $dll is not a DLL" >&2
  exit 1
fi

# objdump prints each name with its ordinal less the ordinal base: "[  16] SysCPUID".
base=$(sed -n 's/^Export Address Table -- Ordinal Base \([0-9]*\).*/\1/p' <<<"$headers")
if [ -z "$base" ]; then
  echo "check_dll: $dll has no export table" >&2
  exit 1
fi
actual=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
  sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\(.*\)$/\1 \2/p' |
  while read -r index name; do echo "$((index + base)) $name"; done | sort -n)
if [ "$actual" != "$expected" ]; then
  echo "check_dll: the export table of $dll differs from the interface:" >&2
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi

# System DLLs only: a dependency on the compiler's run time (libgcc, libstdc++, winpthread) would
# not be found on a user's machine.
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
unexpected=$(grep -vxE 'kernel32\.dll|msvcrt\.dll|ntdll\.dll|user32\.dll|advapi32\.dll|api-ms-win-.*\.dll' \
  <<<"$imports" || true)
if [ -n "$unexpected" ]; then
  echo "check_dll: $dll imports non-system DLLs: $unexpected" >&2
  exit 1
fi
sections=$("$objdump" -h "$dll" | awk '$1 ~ /^[0-9]+$/ { print $2 }')
if grep -q '^\.debug' <<<"$sections"; then
  echo "check_dll: $dll carries debug sections:" $(grep '^\.debug' <<<"$sections") >&2
  exit 1
fi
if ! grep -qx '\.rsrc' <<<"$sections"; then
  echo "check_dll: $dll has no resources, so no version resource" >&2
  exit 1
fi
# A time stamp would make two builds of the same sources differ.
if ! grep -q '^Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' <<<"$headers"; then
  echo "check_dll: $dll carries a time stamp: $(grep '^Time/Date' <<<"$headers")" >&2
  exit 1
fi
echo "check_dll: $dll ($format) exports the 18 names with ordinals 1..18 and imports only: $(echo $imports)"
