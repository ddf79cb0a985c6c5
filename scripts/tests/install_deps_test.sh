#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs scripts/install-deps against a stand-in dpkg, id and apt-get on a PATH of its own, so no
# package is installed and the user is whoever the case says: a silent no-op when nothing is
# missing, the one command to run as root (with the i386 step for wine) when there is no sudo,
# apt-get through sudo for a member of the sudo group, and only the purpose's own packages.
#   install_deps_test.sh <path of scripts/install-deps>
set -euo pipefail
script=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "install_deps_test: $*" >&2; failures=$((failures + 1)); }

# bin holds the stand-ins and the few real tools the script uses; nothing else is found. The real
# tools are reached through scripts of our own, never links: the chmod below would follow a link
# and change the system's own file.
bin=$work/bin
mkdir -p "$bin"
for tool in grep dirname basename env cat; do
  printf '#!/bin/sh\nexec %s "$@"\n' "$(command -v "$tool")" >"$bin/$tool"
done
cat >"$bin/dpkg-query" <<'STUB'
#!/bin/bash
# Installed: every package not named in $MISSING.
package=${!#}
case " $MISSING " in *" $package "*) exit 1 ;; esac
printf installed
STUB
cat >"$bin/dpkg" <<'STUB'
#!/bin/bash
[ "$1" = --print-foreign-architectures ] && { printf '%s' "${FOREIGN:-}"; exit 0; }
echo "dpkg $*" >>"$LOG"
STUB
cat >"$bin/apt-get" <<'STUB'
#!/bin/bash
echo "apt-get $*" >>"$LOG"
STUB
cat >"$bin/id" <<'STUB'
#!/bin/bash
case $1 in -u) echo "${USER_ID:-1000}" ;; -nG) echo "${GROUPS_OF_USER:-users}" ;; esac
STUB
cat >"$bin/sudo" <<'STUB'
#!/bin/bash
[ "$1" = -n ] && exit 1
echo "sudo $*" >>"$LOG"
"$@"
STUB
chmod +x "$bin"/*

# run <expected status> <purposes...>, with MISSING, USER_ID, GROUPS_OF_USER, FOREIGN, NO_SUDO
run() {
  local expected=$1 status=0
  shift
  : >"$work/log"
  local path=$bin
  if [ -n "${NO_SUDO:-}" ]; then
    mkdir -p "$work/nosudo" && cp -p "$bin"/* "$work/nosudo/" && rm "$work/nosudo/sudo"
    path=$work/nosudo
  fi
  env -i PATH="$path" LOG="$work/log" MISSING="${MISSING:-}" USER_ID="${USER_ID:-1000}" \
    GROUPS_OF_USER="${GROUPS_OF_USER:-users}" FOREIGN="${FOREIGN:-}" \
    "$BASH" "$script" "$@" >"$work/out" 2>&1 || status=$?
  [ "$status" = "$expected" ] || fail "$* exited $status, wanted $expected: $(cat "$work/out")"
}
has() { grep -qF -- "$2" "$1" || fail "no '$2' in $(basename "$1"): $(cat "$1")"; }
lacks() { ! grep -qF -- "$2" "$1" || fail "'$2' in $(basename "$1"): $(cat "$1")"; }

# Nothing missing: silent, nothing run, whoever the user.
MISSING="" NO_SUDO=1 run 0 test windows
[ ! -s "$work/out" ] || fail "a no-op printed: $(cat "$work/out")"
[ ! -s "$work/log" ] || fail "a no-op ran: $(cat "$work/log")"

# No root and no sudo: fails before installing, with the su command and the i386 step.
MISSING="qt6-base-dev wine32:i386" NO_SUDO=1 run 1 run windows
has "$work/out" "su -c '$script run windows'"
has "$work/out" "dpkg --add-architecture i386"
has "$work/out" "qt6-base-dev"
lacks "$work/out" "sudo "
lacks "$work/out" "make run"
[ ! -s "$work/log" ] || fail "installed without rights: $(cat "$work/log")"

# sudo present but this user not among its groups: both commands offered, nothing run.
MISSING="libgtest-dev" run 1 test
has "$work/out" "sudo $script test"
has "$work/out" "su -c '$script test'"
[ ! -s "$work/log" ] || fail "ran without rights: $(cat "$work/log")"

# A member of the sudo group: apt-get through sudo, i386 added once, only what is missing.
MISSING="wine wine32:i386 nsis" GROUPS_OF_USER="users sudo" run 0 windows
has "$work/log" "sudo dpkg --add-architecture i386"
has "$work/log" "apt-get install -y --no-install-recommends nsis wine wine32:i386"
MISSING="wine32:i386" FOREIGN=i386 USER_ID=0 run 0 windows
lacks "$work/log" "add-architecture"
lacks "$work/log" "sudo"

# make run's purpose never reaches for wine, i386 or the test tools.
MISSING="wine wine32:i386 libgtest-dev xvfb g++-mingw-w64-i686-win32 clang-14 lintian cmake" \
  USER_ID=0 run 0 run
has "$work/log" "apt-get install -y --no-install-recommends cmake"
for package in wine i386 libgtest-dev xvfb mingw clang lintian; do lacks "$work/log" "$package"; done

# An unknown purpose is a usage error.
run 2 everything
has "$work/out" "usage: scripts/install-deps"
exit $((failures > 0))
