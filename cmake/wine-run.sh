#!/usr/bin/env bash
# Runs a Windows test program under wine64 with a prefix kept in the build folder.
# The program's own folder decides which build folder that is.
set -e
exe=$1; shift
build=$(cd "$(dirname "$exe")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# Nobody answers a message box here: the plug-in records them instead.
export C51_HEADLESS=${C51_HEADLESS:-1}
exec /usr/lib/wine/wine64 "$exe" "$@"
