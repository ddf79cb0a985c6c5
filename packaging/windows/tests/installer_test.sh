#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Windows packages of a build folder under wine: the zip's contents, then the installer
# run silently, its files, Start-menu shortcut and Add/Remove Programs entry, the installed program
# started, and the silent uninstaller leaving nothing behind; a second round checks that the
# uninstaller removes the program's own settings but not those of other programs of the maker.
# The packages are those of the folder's architecture: name-VERSION-win32.zip and
# name-VERSION-setup.exe, or name-VERSION-win64.zip and name-VERSION-x64-setup.exe.
#   installer_test.sh BUILD_DIR [--zip-only | --e2e TEST.exe]
# With --e2e (or NAME_E2E_TEST), TEST.exe is run with the Windows path of the installed name.exe as
# its argument and must exit 0; without it the installed name.exe is started and closed. With
# --zip-only, for a machine that cannot run the architecture, only the zip is checked.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "$1" && pwd)
shift
e2e=${NAME_E2E_TEST:-}
zip_only=
case ${1:-} in
  --e2e) e2e=$2 ;;
  --zip-only) zip_only=yes ;;
esac
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
wine_env "$build"
run() { "$root/scripts/wine-run" -t "${seconds:-120}" "$build" "$@"; }
settle() { run wineserver -w; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package=name-$version-$WINEARCH
zip="$build/$package.zip"
if [ "$WINEARCH" = win64 ]; then
  setup="$build/name-$version-x64-setup.exe"
else
  setup="$build/name-$version-setup.exe"
fi
stage="$build/packaging/windows/stage/$package"
mapfile -t files < <(sed -n 's/^!insertmacro PACKAGE_FILE "\(.*\)"$/\1/p' "$build/packaging/windows/package_files.nsh")

failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# The zip: one folder holding exactly the package files, the licence texts whenever the tree has them.
expected=$(printf '%s/\n' "$package"; printf "$package/%s\n" "${files[@]}")
listed=$(unzip -Z1 "$zip")
check "zip holds exactly the package files" [ "$(sort <<<"$listed")" = "$(sort <<<"$expected")" ]
for required in name.exe lunacal.dll lunacal.exe lunacal.h README.txt; do
  check "zip holds $required" grep -qx "$package/$required" <<<"$listed"
done
for text in LICENSE NOTICE; do
  if [ -f "$root/$text" ]; then
    check "zip holds $text.txt" grep -qx "$package/$text.txt" <<<"$listed"
  fi
done
unzip -l "$zip"
# Every program in the zip is of the folder's architecture: a 64-bit DLL beside a 32-bit name.exe
# would not load.
pe_format=$(windows_pe_format "$WINEARCH")
for file in "${files[@]}"; do
  case $file in
    *.exe | *.dll)
      # objdump speaks the Chinese locale of the wine environment unless told otherwise.
      format=$(LC_ALL=C objdump -f "$stage/$file" | sed -n 's/.*file format //p')
      check "$file is $pe_format" [ "$format" = "$pe_format" ]
      ;;
  esac
done
if [ -n "$zip_only" ]; then
  echo "installer_test: $failures failed (the zip only)"
  [ "$failures" -eq 0 ]
  exit
fi

install_dir="$WINEPREFIX/drive_c/Program Files/tavren/name"
install_dir_windows='C:\Program Files\tavren\name'
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/澄禾起名宝.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\tavren.name'
settings_key='HKCU\Software\VB and VBA Program Settings\tavren'

# reg prints Chinese garbled; its export file is UTF-16 and reads correctly once converted.
export_key() {
  rm -f "$WINEPREFIX/drive_c/key.reg"
  run wine reg export "$1" 'C:\key.reg' /y >/dev/null 2>&1 || return 1
  iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/key.reg" | tr -d '\r'
  rm -f "$WINEPREFIX/drive_c/key.reg"
}
key_exists() { run wine reg query "$1" >/dev/null 2>&1; }

install() {
  run wine "$setup" /S
  settle
}

# Runs what Add/Remove Programs runs for a silent removal, and waits for the copy of the uninstaller
# that does the work in the background.
uninstall() {
  local quiet program
  quiet=$(export_key "$uninstall_key" | sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' | sed 's/\\\\/\\/g; s/\\"/"/g')
  program=$(sed -n 's/^"\([^"]*\)" \/S$/\1/p' <<<"$quiet")
  check "QuietUninstallString is the uninstaller with /S" [ "$program" = "$install_dir_windows\\uninstall.exe" ]
  run wine "$program" /S
  settle
}

install
for file in "${files[@]}"; do
  check "installed $file as packed" cmp -s "$stage/$file" "$install_dir/$file"
done
check "installed uninstall.exe" [ -f "$install_dir/uninstall.exe" ]
check "Start-menu shortcut exists" [ -f "$shortcut" ]
check "shortcut points at the installed name.exe" grep -qaF "$install_dir_windows\\name.exe" "$shortcut"

entry=$(export_key "$uninstall_key" || true)
for line in '"DisplayName"="澄禾起名宝"' "\"DisplayVersion\"=\"$version\"" '"Publisher"="tavren"' \
    '"UninstallString"="\"C:\\Program Files\\tavren\\name\\uninstall.exe\""' \
    '"QuietUninstallString"="\"C:\\Program Files\\tavren\\name\\uninstall.exe\" /S"'; do
  check "uninstall entry $line" grep -qxF "$line" <<<"$entry"
done

if [ -n "$e2e" ]; then
  seconds=300 check "end-to-end test of the installed name.exe" run wine "$e2e" "$install_dir_windows\\name.exe"
else
  check "installed name.exe starts and closes" run wine "$build/bin/close_program.exe" "$install_dir_windows\\name.exe"
fi
settle
# The settings the program writes at every start, set here too so the check holds for any program.
run wine reg add "$settings_key\\Start" /v Ver /d "$version" /f >/dev/null

uninstall
check "install folder removed" [ ! -e "$install_dir" ]
check "maker's folder removed" [ ! -e "$(dirname "$install_dir")" ]
check "shortcut removed" [ ! -e "$shortcut" ]
check "uninstall entry removed" eval '! key_exists "$uninstall_key"'
check "program settings removed" eval '! key_exists "$settings_key"'

install
run wine reg add "$settings_key\\Start" /v Ver /d "$version" /f >/dev/null
run wine reg add "$settings_key\\Other" /v Kept /d yes /f >/dev/null
uninstall
check "second install removed" [ ! -e "$install_dir" ]
check "program's own settings removed" eval '! key_exists "$settings_key\\Start"'
check "other settings of the maker kept" key_exists "$settings_key\\Other"
run wine reg delete "$settings_key" /f >/dev/null
settle

echo "installer_test: $failures failed"
[ "$failures" -eq 0 ]
