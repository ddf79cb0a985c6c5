#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The desktop entry and the AppStream data as desktops and software centres read them: both
# validators silent (no errors, warnings or hints), and the entry, the data and the program agree
# on their names.
#   check_desktop_files.sh <desktop file> <metainfo file> <program file name>
set -euo pipefail
desktop=$1
metainfo=$2
program=$3
id=$(basename "$desktop" .desktop)
failures=0
fail() { echo "check_desktop_files: $*" >&2; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { fail "$tool is missing (scripts/install-deps test)"; exit 1; }
done
report=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --strict --no-net "$metainfo" >/dev/null ||
  fail "appstreamcli: $(appstreamcli validate --strict --no-net "$metainfo" 2>&1)"

grep -qx "Exec=$program" "$desktop" || fail "the entry does not start $program"
# Qt on X11 gives the window the class of the program's file name; docks put the window under the
# entry whose StartupWMClass matches it (Wayland uses the desktop file name the program sets).
grep -qx "StartupWMClass=$program" "$desktop" || fail "StartupWMClass is not $program"
grep -qx "Icon=$id" "$desktop" || fail "the icon is not named $id"
grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream data does not launch $id.desktop"
grep -q "<binary>$program</binary>" "$metainfo" || fail "the AppStream data does not provide $program"
exit $((failures > 0))
