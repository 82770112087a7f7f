#!/usr/bin/env bash
# Time per translated file with the Windows build of the simulated compiler
# under wine against the native build, and what a server started per file
# would cost. Needs the win64 preset's simtool (built here when missing) and
# wine; the prefix is made once in the build folder.
#
#   bench/wine_tool.sh [build folder] [wine_tool_bench options]
#   e.g. bench/wine_tool.sh build/release --files 60 --cold 5
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
shift || true
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target wine_tool_bench
[ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
cmake --build build/win64 --target simtool
launcher=${CORVANE_WINE:-$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)}
export CORVANE_WINE=$launcher WINEDEBUG=-all WINEPREFIX=$PWD/$build/wine-bench-prefix
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" "$launcher" wineboot --init >/dev/null 2>&1
fi
"$build/bin/wine_tool_bench" --native "$build/bin/simtool/C51" \
  --windows "$PWD/build/win64/bin/simtool/C51" "$@"
