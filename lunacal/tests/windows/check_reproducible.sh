#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds lunacal.dll twice from the same sources, for the architecture of the given build folder,
# in two fresh folders of different paths, and requires the two DLLs to be the same to the byte:
# no time stamp, no build path, nothing of the moment of the build may reach them.
#   check_reproducible.sh path/to/build-windows
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../.." && pwd)
build=$(cd "$1" && pwd)
# shellcheck source=scripts/wine-env.sh
source "$source_dir/scripts/wine-env.sh"
triplet=$(windows_triplet "$(windows_arch "$build")")
toolchain=mingw-${triplet%%-*}.cmake

# The time of the last commit stands for "now" wherever a tool would otherwise take the clock.
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || echo 1700000000)
export SOURCE_DATE_EPOCH

work=$build/reproducible-check
rm -rf "$work"
dlls=()
for folder in first "second, elsewhere"; do
  dir=$work/$folder
  cmake -S "$source_dir" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DNAME_LIBRARY_ONLY=ON -DNAME_BUILD_TESTS=OFF >/dev/null
  cmake --build "$dir" --target lunacal -j2 >/dev/null
  dlls+=("$dir/bin/lunacal.dll")
done
if ! cmp "${dlls[0]}" "${dlls[1]}"; then
  echo "check_reproducible: two builds of lunacal.dll differ" >&2
  exit 1
fi
echo "check_reproducible: two builds of lunacal.dll are identical ($(sha256sum <"${dlls[0]}" | cut -c1-16)...)"
