#!/usr/bin/env bash
# Developer entry point.
#   ./dev.sh demo   install what is missing, build, run the bundled example
#   ./dev.sh test   install what is missing, build every preset, run every test
#   ./dev.sh tsan   the build engine's tests under ThreadSanitizer
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
# Let clones in other folders share the compiler cache (kept outside the
# checkout, in ccache's default folder).
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1

# Debian packages per job. The Windows builds need the mingw-w64 compilers
# with posix threads and wine64 to run the x86_64 tests.
native_packages=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev libpugixml-dev
                 ccache binutils)
# The fuzz targets are built with clang's libFuzzer.
fuzz_packages=(clang-14 libclang-rt-14-dev)
windows_packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64)

# The settings dialogs' window test runs the Windows plug-in under wine64 in
# a virtual X display, in English and in Chinese (a CJK font and a zh_CN
# locale for wine's ANSI code page).
ui_packages=(xvfb fonts-wqy-microhei fonts-wine fonts-liberation locales)
# The second toolchain translates for real with SDCC; its end-to-end test
# runs the firmware in SDCC's 8051 simulator.
sdcc_packages=(sdcc sdcc-ucsim)

# Each step's line says how long the run has taken so far, so a slow step
# shows in CI's log.
started=$SECONDS
log() { printf '\n== %s (at %dm%02ds)\n' "$*" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)); }

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

chinese_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
  log "generating the zh_CN.UTF-8 locale"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
}

# build PRESET [TARGET...]: everything, or only the targets named.
build() {
  local preset=$1; shift
  log "build $preset${*:+ ($*)}"
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" ${1:+--target "$@"}
}

wine_prefix() {
  # One prefix per build folder, made once (about ten seconds).
  local prefix=$root/build/win64/wineprefix
  if [ ! -f "$prefix/.c51-ready" ]; then
    log "wine prefix"
    WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
      /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    # No X display here: the null display driver still lets programs create
    # (invisible) windows, which the list-window delivery test needs.
    WINEPREFIX=$prefix WINEDEBUG=-all /usr/lib/wine/wine64 reg add \
      'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -w || true
    touch "$prefix/.c51-ready"
  fi
}

# Test programs run side by side, the longest split into shards (see
# tests/CMakeLists.txt), one per processor.
run_tests() {
  local preset=$1; shift
  log "test $preset"
  (cd "build/$preset" && ctest --output-on-failure -j "$(nproc)" "$@")
}

# Each fuzz target runs for a fixed time with its corpus kept in the build
# folder; a crash fails the run and leaves its input in build/fuzz/.
fuzz() {
  local target=$1 seconds=$2; shift 2
  local corpus=build/fuzz/corpus-$target options=() seeds=()
  for a in "$@"; do
    case $a in -*) options+=("$a") ;; *) seeds+=("$a") ;; esac
  done
  mkdir -p "$corpus"
  log "fuzz $target for ${seconds}s"
  # New inputs go to the first folder: the corpus, never the seed fixtures.
  if ! "build/fuzz/$target" -max_total_time="$seconds" -artifact_prefix=build/fuzz/ \
      "${options[@]}" "$corpus" "${seeds[@]}" > "build/fuzz/$target.log" 2>&1; then
    tail -n 40 "build/fuzz/$target.log"
    return 1
  fi
  tail -n 1 "build/fuzz/$target.log"
}

run_fuzzers() {
  if [ ! -f build/fuzz/build.ninja ]; then
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S tests/fuzz -B build/fuzz -G Ninja -DC51_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
      "${launcher[@]}" >/dev/null
  fi
  cmake --build build/fuzz
  # A fuzzer uses one processor: two lanes of about the same length run
  # side by side, each stopping at its first failure.
  (fuzz markup_fuzz 40 -max_len=8192 -dict=tests/fuzz/markup.dict tests/data/markup &&
    fuzz uv2_fuzz 15 -max_len=8192) &
  local lane=$!
  local status=0
  fuzz output_filter_fuzz 20 -max_len=4096 && fuzz dependency_record_fuzz 15 &&
    fuzz cvproj_fuzz 20 -max_len=8192 tests/data/cvproj || status=1
  wait "$lane" || status=1
  return "$status"
}

cmd_demo() {
  install_missing "${native_packages[@]}" "${sdcc_packages[@]}"
  build native
  # The bundled uVision 4 example, copied so that the checkout stays clean,
  # imported with the host and built with the simulated toolchain that
  # ships beside it (one source carries a warning to show diagnostics).
  local demo=build/demo host=build/native/bin/corvane-c51
  rm -rf "$demo" && mkdir -p "$demo" && cp -r examples/blinky/. "$demo"
  log "demo: import the uVision project"
  "$host" import "$demo/blinky.uvproj" -o "$demo/blinky.cvproj"
  log "demo: build"
  "$host" build -p "$demo/blinky.cvproj"
  log "demo: build again (nothing to do)"
  "$host" build -p "$demo/blinky.cvproj"
  log "demo: the hex file"
  ls -l "$demo/Debug/blinky.hex"
  head -n 3 "$demo/Debug/blinky.hex"

  # Real firmware: the blinky for an 8051 built with the toolchain that
  # translates with SDCC.
  local real=build/demo-sdcc
  rm -rf "$real" && mkdir -p "$real" && cp -r examples/blinky_sdcc/. "$real"
  log "demo: real firmware with the SDCC-backed toolchain"
  "$host" import "$real/blinky_sdcc.uvproj" -o "$real/blinky.cvproj"
  "$host" --toolchain build/native/bin/sdcctool/C51 build -p "$real/blinky.cvproj"
  ls -l "$real/Debug/blinky.hex"
}

cmd_test() {
  install_missing "${native_packages[@]}" "${windows_packages[@]}" "${fuzz_packages[@]}" \
    "${ui_packages[@]}" "${sdcc_packages[@]}"
  chinese_locale
  # The Linux tests run once, in the sanitizer build: it runs every test the
  # plain build runs and catches more, and a second Linux build doubled the
  # time of this command on an empty compiler cache.
  build asan
  build win64
  # Only the plug-in: its layout checks are compiled in, its exports are
  # tested, and nothing else of this preset can run here.
  build win32 c51plugin
  # The Linux host's test with a Windows installation under wine runs the
  # win64 simulated toolchain built above; here it must run, not skip.
  export C51_WIN64_TOOLS=$root/build/win64/bin/simtool/C51 C51_WINE_TESTS_REQUIRED=1
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests asan
  wine_prefix
  run_tests win64
  WINEPREFIX=$root/build/win64/wineprefix /usr/lib/wine/wineserver -k 2>/dev/null || true
  log "settings dialogs under wine in Xvfb (screenshots in build/win64/screenshots)"
  tests/settings/win32/run_ui_tests.sh build/win64
  # The i686 programs cannot run on this kernel; their layout is proven at
  # compile time, and the library's export list is checked here.
  run_tests win32 -L exports
  run_fuzzers
  log "all tests passed"
}

# The build engine's threads under ThreadSanitizer: the tests of the build
# driver and of the tool runs. Not part of `test`: its own build of the
# plug-in would add a third of that command's time.
cmd_tsan() {
  install_missing "${native_packages[@]}"
  build tsan engine_test build_test simtool
  # Some tests start tools that crash on purpose; the sanitizer would catch
  # the signal and turn the crash into an exit status.
  TSAN_OPTIONS=halt_on_error=1:handle_segv=0:handle_sigbus=0:handle_abort=0:handle_sigill=0:handle_sigfpe=0 \
    run_tests tsan -R 'engine_test|build_test'
}

case "${1:-}" in
  demo) cmd_demo ;;
  test) cmd_test ;;
  tsan) cmd_tsan ;;
  *) echo "usage: $0 demo|test|tsan" >&2; exit 2 ;;
esac
