#!/usr/bin/env bash
# An up-to-date build of 10,000 C files (each including 10 of 200 headers)
# through the plug-in's BuildTarget, against ninja's no-op build of the same
# tree with the same dependencies (deps = gcc), timed side by side in one
# run. Medians, ranges and the ratio are printed.
#
#   bench/uptodate_vs_ninja.sh [build folder] [uptodate_bench options]
#   e.g. bench/uptodate_vs_ninja.sh build/release --runs 21
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
shift || true
ninja_program=$(command -v ninja) || { echo "ninja is not installed (apt-get install ninja-build)" >&2; exit 1; }
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target uptodate_bench
"$build/bin/uptodate_bench" --ninja "$ninja_program" "$@"
