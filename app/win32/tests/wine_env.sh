# SPDX-License-Identifier: MIT
# Sourced by the scripts that run the Windows programs: a wine prefix of its own inside the build
# folder, made once, with no display (the null graphics driver), the Chinese locale, the font
# substitutes that give 宋体 and 楷体 a Chinese face, marlett for the caption buttons, and no host
# browser for the web site the program opens (the shell still reports that it started one).
#   . app/win32/tests/wine_env.sh path/to/build-windows
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs; nothing here needs either.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
unset DISPLAY WAYLAND_DISPLAY

wine_prefix_ready="$WINEPREFIX/.name-window-ready"
if [ ! -f "$wine_prefix_ready" ]; then
  mkdir -p "$WINEPREFIX"
  timeout --kill-after=10 300 wineboot --init </dev/null
  timeout --kill-after=5 60 wineserver -w </dev/null
  settings=$(mktemp --suffix=.reg)
  # reg import reads UTF-16 with its byte order mark, which keeps the Chinese names intact.
  { printf '\xef\xbb\xbf'; printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Drivers]' '"Graphics"="null"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineBrowser]' '"Browsers"=""' '"Mailers"=""' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"宋体"="AR PL UMing CN"' '"SimSun"="AR PL UMing CN"' '"新宋体"="AR PL UMing CN"' \
    '"楷体_GB2312"="AR PL UKai CN"' '"楷体"="AR PL UKai CN"'; } |
    iconv -f UTF-8 -t UTF-16LE >"$settings"
  timeout --kill-after=5 60 wine reg import "$(winepath -w "$settings")" </dev/null
  rm -f "$settings"
  # Debian's wine does not read its own fonts folder.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  timeout --kill-after=5 60 wineserver -w </dev/null
  touch "$wine_prefix_ready"
fi
