#!/usr/bin/env bash
# Full builds with translations side by side: corvane-c51 build -j 1, -j 2
# and -j <processors> against ninja -j 1 and -j 2 running the very same
# tool command lines (compile, link, hex) on the same files, interleaved
# run by run. Two trees:
#   sim   1,000 generated C files (each including REG51.H) in four groups,
#         the simulated toolchain;
#   sdcc  the SDCC blinky (examples/blinky_sdcc) with timer.c copied to 38
#         more files (its function renamed in each), 40 C files, the
#         SDCC-backed toolchain.
# The command lines for ninja are recorded from one corvane-c51 build
# through a toolchain of wrapper scripts, with the environment the tools got.
# Prints the median wall time of each with its range, the speed-up of -j 2
# over -j 1 and the ratio to ninja -j 2, and `uptime` before and after (the
# machine may be shared).
#
#   bench/parallel_build.sh [build folder] [runs]
#   e.g. bench/parallel_build.sh build/native 5
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=${1:-build/native}
runs=${2:-5}
command -v ninja >/dev/null || { echo "ninja is not installed (apt-get install ninja-build)" >&2; exit 1; }
command -v sdcc >/dev/null || { echo "sdcc is not installed (apt-get install sdcc)" >&2; exit 1; }
export CCACHE_BASEDIR=$source_dir CCACHE_NOHASHDIR=1
cmake --build "$build" --target corvane-c51 c51plugin simtool \
  sdcc_c51 sdcc_a51 sdcc_bl51 sdcc_lib51 sdcc_oh51 >/dev/null
bin=$(cd "$build/bin" && pwd)
host=$bin/corvane-c51
processors=$(nproc)
unset C51_BUILD_JOBS

work=$(mktemp -d /tmp/c51parallel.XXXXXX)
trap 'rm -rf "$work"' EXIT

# A toolchain whose programs log their command line (shell-quoted) and the
# tools' environment, then run the real program.
make_recorder() {  # real toolchain root (holding BIN), recorder root, log
  local real=$1 rec=$2 log=$3
  mkdir -p "$rec/C51/BIN"
  for folder in INC LIB; do
    [ -d "$real/$folder" ] && ln -s "$real/$folder" "$rec/C51/$folder"
  done
  for program in "$real"/BIN/*.exe; do
    local name
    name=$(basename "$program")
    cat >"$rec/C51/BIN/$name" <<EOF
#!/usr/bin/env bash
{ printf '%q ' "$program" "\$@"; printf '\n'; } >>"$log"
[ -f "$log.env" ] || printf 'export C51INC=%q C51LIB=%q PATH=%q\n' \
  "\${C51INC-}" "\${C51LIB-}" "\$PATH" >"$log.env"
exec "$program" "\$@"
EOF
    chmod +x "$rec/C51/BIN/$name"
  done
}

# build.ninja beside the project: one edge per recorded translation, the
# link after all of them, the hex file after the link.
write_ninja() {  # tree, log
  local tree=$1 log=$2 n=0 links=""
  {
    echo "rule run"
    echo "  command = \$cmd"
    while IFS= read -r line; do
      line=${line//\$/\$\$}
      case $line in
        *C51.exe\ * | *A51.exe\ *)
          n=$((n + 1))
          links="$links t$n"
          printf 'build t%d: run\n  cmd = %s\n' "$n" "$line"
          ;;
        *BL51.exe\ * | *Lib51.exe\ *) printf 'build link: run |%s\n  cmd = %s\n' "$links" "$line" ;;
        *OH51.exe\ *) printf 'build hex: run | link\n  cmd = %s\n' "$line" ;;
      esac
    done <"$log"
    echo "default hex"
  } >"$tree/build.ninja"
}

# The sim tree.
mkdir -p "$work/sim/src"
(
  cd "$work/sim"
  "$host" new sim.cvproj >/dev/null
  for g in 0 1 2 3; do
    files=()
    for i in $(seq $((g * 250)) $((g * 250 + 249))); do
      name=$(printf 'src/f%04d.c' "$i")
      {
        echo '#include <REG51.H>'
        printf 'void f%04d(void) { P1 = %d; }\n' "$i" $((i % 256))
        [ "$i" = 0 ] && echo 'void main(void) { }'
      } >"$name"
      files+=("$name")
    done
    "$host" add -p sim.cvproj --group "Group$g" "${files[@]}" >/dev/null
  done
)

# The sdcc tree.
cp -r examples/blinky_sdcc "$work/sdcc"
(
  cd "$work/sdcc"
  "$host" import blinky_sdcc.uvproj -o sdcc.cvproj >/dev/null
  copies=()
  for i in $(seq -w 1 38); do
    sed "s/timer0_start/timer0_start_$i/g" src/timer.c >"src/timer$i.c"
    copies+=("src/timer$i.c")
  done
  "$host" add -p sdcc.cvproj --group Copies "${copies[@]}" >/dev/null
)

declare -A project objects toolchain
project[sim]=$work/sim/sim.cvproj
objects[sim]="$work/sim/Target 1"
toolchain[sim]=$bin/simtool/C51
project[sdcc]=$work/sdcc/sdcc.cvproj
objects[sdcc]=$work/sdcc/Debug
toolchain[sdcc]=$bin/sdcctool/C51

for tree in sim sdcc; do
  make_recorder "${toolchain[$tree]}" "$work/rec-$tree" "$work/$tree.log"
  "$host" --toolchain "$work/rec-$tree/C51" build -p "${project[$tree]}" -j 1 >/dev/null ||
    { echo "the $tree tree does not build" >&2; exit 1; }
  write_ninja "$(dirname "${project[$tree]}")" "$work/$tree.log"
done

# Everything a build makes, so each run builds in full; ninja keeps the
# linker's command file, which the plug-in writes before it links.
clean() {  # tree, [keep: the command file stays]
  if [ -n "${2-}" ]; then
    find "${objects[$1]}" -mindepth 1 ! -name '*.lnp' -delete
  else
    find "${objects[$1]}" -mindepth 1 -delete
  fi
  rm -f "$(dirname "${project[$1]}")/.ninja_log"
}

declare -A times
modes=("corvane -j 1" "corvane -j 2")
[ "$processors" -gt 2 ] && modes+=("corvane -j $processors")
modes+=("ninja -j 1" "ninja -j 2")
echo "before: $(uptime)"
for run in $(seq 1 "$runs"); do
  for tree in sim sdcc; do
    for mode in "${modes[@]}"; do
      jobs=${mode##* }
      if [[ $mode == corvane* ]]; then
        clean "$tree"
        start=$EPOCHREALTIME
        "$host" --toolchain "${toolchain[$tree]}" build -p "${project[$tree]}" -j "$jobs" >/dev/null
      else
        clean "$tree" keep
        start=$EPOCHREALTIME
        (
          source "$work/$tree.log.env"
          ninja -C "$(dirname "${project[$tree]}")" -j "$jobs" >/dev/null
        )
      fi
      end=$EPOCHREALTIME
      times[$tree/$mode]+="$(echo "$end - $start" | bc) "
    done
  done
done
echo "after:  $(uptime)"

# Median, min and max of a list of seconds.
stats() {
  tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -g | awk '
    { v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
          printf "%s %s %s", m, v[1], v[NR] }'
}

printf '\n%-6s %-16s %9s  %s\n' tree mode median "range (s), $runs runs"
for tree in sim sdcc; do
  for mode in "${modes[@]}"; do
    read -r median low high <<<"$(stats "${times[$tree/$mode]}")"
    printf '%-6s %-16s %8.2fs  %.2f..%.2f\n' "$tree" "$mode" "$median" "$low" "$high"
  done
  read -r c1 _ <<<"$(stats "${times[$tree/corvane -j 1]}")"
  read -r c2 _ <<<"$(stats "${times[$tree/corvane -j 2]}")"
  read -r n2 _ <<<"$(stats "${times[$tree/ninja -j 2]}")"
  printf '%-6s -j 2 is %.2fx as fast as -j 1; corvane -j 2 / ninja -j 2 = %.2f\n\n' \
    "$tree" "$(echo "$c1 / $c2" | bc -l)" "$(echo "$c2 / $n2" | bc -l)"
done
