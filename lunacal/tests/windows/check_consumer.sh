#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the built Windows lunacal into a fresh prefix and builds the consumer program against
# it as Windows callers do, with lunacal.h (dllimport, and stdcall on x86): linked plainly with the mingw
# import library, linked with lunacal.lib, and through find_package(lunacal). Each program must
# import the plain names from lunacal.dll and run under wine beside the installed DLL.
# The two halves are two tests: --link builds the programs and checks their import tables (no
# wine needed), --run runs what --link built under wine.
#   check_consumer.sh path/to/build-windows --link|--run
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../.." && pwd)
build=$(cd "$1" && pwd)
mode=${2:-}
# shellcheck source=scripts/wine-env.sh
source "$source_dir/scripts/wine-env.sh"
triplet=$(windows_triplet "$(windows_arch "$build")")
toolchain=mingw-${triplet%%-*}.cmake
cc=$triplet-gcc
objdump=$triplet-objdump

work=$build/consumer-check
prefix=$work/prefix
programs=(consumer_mingw_lib.exe consumer_msvc_lib.exe consumer_find_package.exe)
case $mode in
  --link) ;;
  --run)
    status=0
    for program in "${programs[@]}"; do
      ( cd "$prefix/bin" && "$source_dir/scripts/wine-run" "$build" wine "./$program" ) ||
        { echo "check_consumer: $program failed with status $?" >&2; status=1; }
    done
    exit "$status"
    ;;
  *) echo "usage: check_consumer.sh BUILD_DIR --link|--run" >&2; exit 2 ;;
esac

rm -rf "$work"
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

for program in "${programs[@]}"; do
  # The import table of lunacal.dll, one "hint name" a line: plain names, never name@N.
  imported=$("$objdump" -p "$prefix/bin/$program" |
    sed -n '/DLL Name: lunacal\.dll/,/^$/p' | awk 'NR > 2 && NF == 3 { print $3 }')
  if [ -z "$imported" ] || grep -q '@' <<<"$imported"; then
    echo "check_consumer: $program imports from lunacal.dll: ${imported:-nothing}" >&2
    exit 1
  fi
done
echo "check_consumer: the consumer links with lunacal.dll.a, lunacal.lib and find_package(lunacal)"
