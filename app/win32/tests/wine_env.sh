# SPDX-License-Identifier: MIT
# Sourced by the scripts that run the Windows programs: a wine prefix of its own inside the build
# folder, made once, with no display (the null graphics driver), the Chinese locale, the font
# substitutes that give 宋体 and 楷体 a Chinese face, marlett for the caption buttons, and no host
# browser for the web site the program opens (the shell still reports that it started one).
#   . app/win32/tests/wine_env.sh path/to/build-windows [dpi]
# A DPI other than 96 gets a prefix of its own whose desktop is drawn at that DPI (LogPixels).
build=$(cd "$1" && pwd)
wine_dpi=${2:-96}
case "$wine_dpi" in
  96) export WINEPREFIX="$build/wineprefix" ;;
  *[!0-9]* | '') echo "wine_env.sh: the DPI must be a number, not '$wine_dpi'" >&2; return 2 ;;
  *) export WINEPREFIX="$build/wineprefix-${wine_dpi}dpi" ;;
esac
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs; nothing here needs either.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
# Wine turns Windows file names into unix ones in the unix locale's character set; where
# zh_CN.UTF-8 is not generated that is ASCII, and a folder named in Chinese cannot be made. A copy
# of the locale inside the build folder serves instead (localedef from the locales package).
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
  if [ ! -d "$build/locale/zh_CN.UTF-8" ]; then
    mkdir -p "$build/locale"
    localedef -i zh_CN -f UTF-8 "$build/locale/zh_CN.UTF-8" >/dev/null 2>&1 ||
      echo "wine_env.sh: could not make the zh_CN.UTF-8 locale; Chinese file names will fail" >&2
  fi
  export LOCPATH="$build/locale"
fi
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
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf %08x "$wine_dpi")" '' \
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
