# SPDX-License-Identifier: MIT
# Sourced by every script that runs a Windows program under wine: the one environment they all use,
# so a test that passes for one script passes for the others. A build folder is either 32-bit or
# 64-bit (CMake writes which into BUILD_DIR/windows-arch) and has a prefix of its own.
#   wine_env BUILD_DIR    exports the variables for the prefix BUILD_DIR/wineprefix (or, with
#                         NAME_WINE_DPI=144, BUILD_DIR/wineprefix-144dpi), in the Chinese locale
#                         unless NAME_WINE_LOCALE names another
#   windows_arch BUILD_DIR    prints win32 or win64
#   windows_triplet ARCH, windows_pe_format ARCH    the toolchain and PE names of an architecture

windows_arch() {
  local arch
  arch=$(cat "$1/windows-arch" 2>/dev/null || true)
  case $arch in
    win32 | win64) echo "$arch" ;;
    *)
      echo "wine-env: $1 is not a configured Windows build folder (no windows-arch file)" >&2
      return 1
      ;;
  esac
}

# The mingw triplet of an architecture (its compilers, binutils and cmake/mingw-<cpu>.cmake), and
# the name objdump gives the PE format of its programs.
windows_triplet() {
  case $1 in
    win64) echo x86_64-w64-mingw32 ;;
    *) echo i686-w64-mingw32 ;;
  esac
}
windows_pe_format() {
  case $1 in
    win64) echo pei-x86-64 ;;
    *) echo pei-i386 ;;
  esac
}

wine_env() {
  local build arch shims
  build=$(cd "$1" && pwd)
  arch=$(windows_arch "$build")
  # NAME_WINE_DPI other than 96 gets a prefix of its own, whose desktop is drawn at that DPI.
  case ${NAME_WINE_DPI:-96} in
    96) export WINEPREFIX="$build/wineprefix" ;;
    *[!0-9]* | '') echo "wine-env: NAME_WINE_DPI must be a number, not '$NAME_WINE_DPI'" >&2; return 2 ;;
    *) export WINEPREFIX="$build/wineprefix-${NAME_WINE_DPI}dpi" ;;
  esac
  export WINEARCH=$arch
  # Debian's wine script takes the 32-bit loader whenever wine32 is installed, even for a 64-bit
  # program, and wineboot, winepath and reg go through it; so every wine command here is sent to
  # the loader of the folder's architecture by little scripts first on PATH.
  if [ "$arch" = win64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
  else
    export WINELOADER=/usr/lib/wine/wine
  fi
  shims="$build/wine-shims"
  if [ ! -x "$shims/wine-stable" ]; then
    mkdir -p "$shims"
    printf '#!/bin/sh\nexec "$WINELOADER" "$@"\n' >"$shims/wine"
    chmod +x "$shims/wine"
    cp "$shims/wine" "$shims/wine-stable"
  fi
  case ":$PATH:" in
    *":$shims:"*) ;;
    *) export PATH="$shims:$PATH" ;;
  esac
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs, and no menu entries or file associations written into the
  # home folder of whoever runs the tests when an installer makes a shortcut.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Chinese fonts, message-box buttons, code page 936 and Chinese file names need a Chinese locale;
  # scripts/wine-prefix compiles it into the build folder, so the machine's locales do not matter.
  # NAME_WINE_LOCALE=en_US.UTF-8 runs a test under the English locale compiled beside it.
  export LOCPATH="$build/locale"
  export LANG=${NAME_WINE_LOCALE:-zh_CN.UTF-8}
  # bash itself cannot use the locale before it is compiled, and says so; wine can afterwards.
  export LC_ALL=$LANG 2>/dev/null
  unset DISPLAY WAYLAND_DISPLAY
}
