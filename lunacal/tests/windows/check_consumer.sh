#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the built Windows lunacal into a fresh prefix and builds the consumer program against
# it as Windows callers do, with lunacal.h (dllimport, and stdcall on x86): linked plainly with the mingw
# import library, linked with lunacal.lib, and through find_package(lunacal). Each program must
# import the plain names from lunacal.dll and run under wine beside the installed DLL.
# With --link-only, on a machine that cannot run the build's architecture, the programs are built
# and their import tables checked, but not run.
#   check_consumer.sh path/to/build-windows [--link-only]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../.." && pwd)
build=$(cd "$1" && pwd)
link_only=${2:-}
# shellcheck source=scripts/wine-env.sh
source "$source_dir/scripts/wine-env.sh"
triplet=$(windows_triplet "$(windows_arch "$build")")
toolchain=mingw-${triplet%%-*}.cmake
cc=$triplet-gcc
objdump=$triplet-objdump

work=$build/consumer-check
rm -rf "$work"
prefix=$work/prefix
for component in lunacal lunacal_dev; do
  cmake --install "$build" --prefix "$prefix" --component "$component" >/dev/null
done
consumer=$source_dir/lunacal/tests/consumer
flags=(-std=c11 -Wall -Wextra -Wpedantic -Werror -I"$prefix/include")

"$cc" "${flags[@]}" "$consumer/consumer.c" -o "$prefix/bin/consumer_mingw_lib.exe" -L"$prefix/lib" -llunacal
"$cc" "${flags[@]}" "$consumer/consumer.c" -o "$prefix/bin/consumer_msvc_lib.exe" "$prefix/lib/lunacal.lib"
# The cross toolchain looks for packages only below the mingw root, so the installed package is
# named by its folder.
cmake -S "$consumer" -B "$work/cmake-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -Dlunacal_DIR="$prefix/lib/cmake/lunacal" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
cp "$work/cmake-build/consumer.exe" "$prefix/bin/consumer_find_package.exe"

programs=(consumer_mingw_lib.exe consumer_msvc_lib.exe consumer_find_package.exe)
for program in "${programs[@]}"; do
  # The import table of lunacal.dll, one "hint name" a line: plain names, never name@N.
  imported=$("$objdump" -p "$prefix/bin/$program" |
    sed -n '/DLL Name: lunacal\.dll/,/^$/p' | awk 'NR > 2 && NF == 3 { print $3 }')
  if [ -z "$imported" ] || grep -q '@' <<<"$imported"; then
    echo "check_consumer: $program imports from lunacal.dll: ${imported:-nothing}" >&2
    exit 1
  fi
done
if [ "$link_only" = --link-only ]; then
  echo "check_consumer: the consumer links with lunacal.dll.a, lunacal.lib and find_package(lunacal)"
  exit 0
fi
bash "$here/run_under_wine.sh" "$build" "${programs[@]/#/$prefix/bin/}"
echo "check_consumer: the consumer links with lunacal.dll.a, lunacal.lib and find_package(lunacal), and runs"
