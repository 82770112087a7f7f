#!/usr/bin/env bash
# An up-to-date build of 10,000 C files whose object records name their
# headers as a Windows compiler under wine does ("Z:\TMP\...\INC\H001.H",
# mapped back through the prefix's drive links and the letter-case match)
# against the same build with POSIX names. Both trees are made, then timed
# turn about; the medians and their ratio are printed (goal: at most 1.2).
#
#   bench/uptodate_windows_names.sh [build folder] [rounds] [uptodate_bench options]
#   e.g. bench/uptodate_windows_names.sh build/release 3 --runs 15
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
rounds=${2:-3}
shift 2 || shift $# || true
ninja_program=$(command -v ninja) || { echo "ninja is not installed (apt-get install ninja-build)" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target uptodate_bench
bench=$build/bin/uptodate_bench
work=$(mktemp -d /tmp/c51names.XXXXXX)
trap 'rm -rf "$work"' EXIT

# One tree per naming, kept between rounds.
for kind in posix windows; do
  flag=()
  [ "$kind" = windows ] && flag=(--windows-names)
  mkdir -p "$work/$kind"
  "$bench" --ninja "$ninja_program" --runs 1 --keep "${flag[@]}" "$@" > "$work/$kind.make" 2>&1 ||
    { cat "$work/$kind.make"; exit 1; }
  sed -n 's/^generating .* in \(.*\)$/\1/p' "$work/$kind.make" > "$work/$kind.dir"
done

median_of() { sed -n 's/^plug-in BuildTarget.*median *\([0-9.]*\) ms.*/\1/p' "$1"; }
posix=() windows=()
for round in $(seq "$rounds"); do
  for kind in posix windows; do
    flag=()
    [ "$kind" = windows ] && flag=(--windows-names)
    "$bench" --ninja "$ninja_program" --dir "$(cat "$work/$kind.dir")" "${flag[@]}" "$@" \
      > "$work/$kind.$round" 2>&1 || { cat "$work/$kind.$round"; exit 1; }
    m=$(median_of "$work/$kind.$round")
    if [ "$kind" = posix ]; then posix+=("$m"); else windows+=("$m"); fi
    printf 'round %d %-8s plug-in median %8.1f ms\n' "$round" "$kind" "$m"
  done
done
for kind in posix windows; do rm -rf "$(cat "$work/$kind.dir")"; done

middle() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
p=$(middle "${posix[@]}")
w=$(middle "${windows[@]}")
awk -v p="$p" -v w="$w" 'BEGIN {
  printf "POSIX names   median of medians %8.1f ms\n", p
  printf "Windows names median of medians %8.1f ms\n", w
  printf "ratio Windows / POSIX names: %.2f (goal: at most 1.20)\n", w / p }'
