# SPDX-License-Identifier: MIT
# Sourced by scripts/wine-prefix and scripts/wine-run: the one environment every Windows test runs
# wine in, so a test that passes for one script passes for the others.
#   wine_env BUILD_DIR    exports the variables for the prefix BUILD_DIR/wineprefix

wine_env() {
  local build
  build=$(cd "$1" && pwd)
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs, and no menu entries or file associations written into the
  # home folder of whoever runs the tests when an installer makes a shortcut.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Chinese fonts, message-box buttons, code page 936 and Chinese file names need a Chinese locale;
  # scripts/wine-prefix compiles it into the build folder, so the machine's locales do not matter.
  export LOCPATH="$build/locale"
  export LANG=zh_CN.UTF-8
  # bash itself cannot use the locale before it is compiled, and says so; wine can afterwards.
  export LC_ALL=zh_CN.UTF-8 2>/dev/null
  unset DISPLAY WAYLAND_DISPLAY
}
