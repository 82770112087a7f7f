#!/usr/bin/env bash
# Runs the settings dialogs' window test (settings_ui_test.exe) in a virtual
# X display under wine64, once in English and once in Chinese, and checks
# the screenshots it saved. Fails when either run or any screenshot fails.
#   run_ui_tests.sh <Windows x86_64 build folder> [test program options...]
# (for instance --gtest_filter=*ListEditor*)
# UI_DISPLAY picks the display number (default: the first free from 99).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../../build/hW-win64}" && pwd)
[ $# -gt 0 ] && shift
exe=$build/bin/settings_ui_test.exe
[ -f "$exe" ] || { echo "no $exe: build the settings_ui_test target first" >&2; exit 1; }
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# The first free display from 99 on, unless UI_DISPLAY names one.
number=${UI_DISPLAY:-99}
if [ -z "${UI_DISPLAY:-}" ]; then
  while [ -e "/tmp/.X$number-lock" ] && [ "$number" -lt 199 ]; do number=$((number + 1)); done
fi
display=:$number
if [ -e "/tmp/.X$number-lock" ]; then
  echo "display $display is taken (set UI_DISPLAY)" >&2
  exit 1
fi

export DISPLAY=$display WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$build/wineprefix-ui
# Real windows: nothing may ask for the headless dialogs.
unset C51_HEADLESS C51_SETTINGS_ACTIONS C51_SETTINGS_REPORT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

if [ ! -f "$WINEPREFIX/.ui-ready" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  # A title bar drawn by wine, and a CJK font in place of the Chinese faces.
  cat >"$WINEPREFIX/ui.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Microsoft YaHei UI"="WenQuanYi Micro Hei"
REG
  "$wine" regedit /S "$WINEPREFIX/ui.reg"
  "$wineserver" -w
  touch "$WINEPREFIX/.ui-ready"
fi

status=0
for run in en:C.UTF-8 zh:zh_CN.UTF-8; do
  lang=${run%%:*}
  shots=$build/screenshots/$lang
  rm -rf "$shots"
  mkdir -p "$shots"
  echo "== $lang (LC_ALL=${run#*:})"
  # The program saves its screenshots under <build>/screenshots/<en|zh>.
  if ! LC_ALL=${run#*:} "$wine" "$exe" "$@"; then
    echo "settings_ui_test failed ($lang)" >&2
    status=1
  fi
  "$wineserver" -k >/dev/null 2>&1 || true
  # Every screenshot must be a sound PNG: chunk checksums, image data size.
  if ! python3 "$here/check_png.py" "$shots"; then
    echo "bad screenshots ($lang)" >&2
    status=1
  fi
done
exit $status
