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
  # Chinese fonts, message-box buttons and code page 936 need a Chinese locale even when it is not
  # generated on this machine; wine takes its language from LC_ALL only then, and bash's warning
  # that it cannot use that locale itself is beside the point.
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8 2>/dev/null
  unset DISPLAY WAYLAND_DISPLAY
}
