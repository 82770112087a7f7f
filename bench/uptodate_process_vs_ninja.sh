#!/usr/bin/env bash
# A no-op `corvane-c51 build` of 10,000 C files (each including 10 of 200
# headers) as the user runs it, a whole process, against ninja's no-op and
# make -q on the same tree, alternated, 21 rounds: medians, ranges, ratios.
# The machine may be shared: the load is printed before and after.
#
#   bench/uptodate_process_vs_ninja.sh [build folder] [tree folder] [host build folder]
#
# Without a tree folder a new tree is made and kept (its first build runs
# the stand-in compiler 10,000 times: minutes); the folder is printed, and
# giving it again measures the same tree. The host (`corvane-c51` and its
# plug-in) comes from the host build folder, by default the build folder:
# another checkout's build compares two versions on one tree.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
tree=${2:-}
host_build=${3:-$build}
ninja_program=$(command -v ninja) || { echo "ninja is not installed (apt-get install ninja-build)" >&2; exit 1; }
make_program=$(command -v make) || { echo "make is not installed" >&2; exit 1; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target uptodate_bench uptodate_bench_tool
cmake --build "$host_build" --target corvane-c51 c51plugin
host=$(cd "$host_build" && pwd)/bin/corvane-c51
options=(--ninja "$ninja_program" --make "$make_program" --host "$host" --runs 21)
echo "load before: $(uptime)"
if [ -n "$tree" ]; then
  "$build/bin/uptodate_bench" "${options[@]}" --dir "$tree"
else
  "$build/bin/uptodate_bench" "${options[@]}" --keep
fi
echo "load after: $(uptime)"
