#!/usr/bin/env bash
# Sets up a Debian 12 machine for Halvorn, builds it, and runs it or its tests.
#
#   ./build.sh run [ARGS...]   install what is missing, build, start the program
#   ./build.sh test            install what is missing, build, run every test
#   ./build.sh bench [FILTER]  install what is missing, build, run the benchmarks
#   ./build.sh build           install what is missing and build
#   ./build.sh package         build the Debian package build-package/halvorn_VERSION_ARCH.deb
#                              (only what it installs, in a build directory of its own)
#
# Reliability checks, each in a build directory of its own:
#   ./build.sh sanitize        the whole suite under AddressSanitizer, LeakSanitizer and
#                              UndefinedBehaviorSanitizer (build-asan/), then the tests
#                              labelled "threads" under ThreadSanitizer (build-tsan/)
#   ./build.sh tsan            only the ThreadSanitizer part
#   ./build.sh fuzz [SECONDS]  the libFuzzer targets with clang (build-fuzz/), each run
#                              for SECONDS (default 60) from its corpus in fuzz/corpus/
#   ./build.sh soak [RUNS]     RUNS (default 100000) Runs of 200 samples through the
#                              window with LeakSanitizer: the heap must come back to
#                              its level and nothing may leak
#   ./build.sh format          every C++ file of the repository against .clang-format:
#                              fails naming each file that is not formatted
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${HALVORN_BUILD_DIR:-$here/build}"

packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation2
          libgtest-dev libgmock-dev libbenchmark-dev librapidcheck-dev)
# Only the fuzz targets need clang and its libFuzzer and sanitizer runtimes.
fuzz_packages=(clang-14 libclang-rt-14-dev libfuzzer-14-dev)
# The format check: clang-format 14, whose output .clang-format was written for.
format_packages=(clang-format-14)

# Installs the Debian packages listed (by default the build's) that are missing.
install_missing() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${packages[@]}")
  local missing=()
  for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "error: need root (or sudo) to install ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The source tree a build directory was configured for, empty when it has
# not been configured.
configured_source() {
  sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$1/CMakeCache.txt" 2>/dev/null || true
}

build() {
  install_missing
  # A tree copied with its build directory keeps a cache that names the
  # original tree, and CMake refuses it with a long message.
  local source; source="$(configured_source "$build_dir")"
  if [ -n "$source" ] && [ "$source" != "$here" ]; then
    echo "error: $build_dir was configured for $source; remove it (rm -rf $build_dir) and run again" >&2
    exit 1
  fi
  cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build_dir"
}

# Sanitizer reports end the test that caused them (the build adds
# -fno-sanitize-recover); leaks are checked at every test program's exit.
sanitizer_environment() {
  local supp="$here/tests/sanitizers"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
  export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$supp/tsan.supp"
  export QT_QPA_PLATFORM=offscreen
}

# Configures and builds a sanitizer build in $1 with -fsanitize=$2; further
# arguments are build targets (default all).
sanitizer_build() {
  local dir="$1" sanitize="$2"
  shift 2
  install_missing
  cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHALVORN_SANITIZE="$sanitize" -DHALVORN_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$dir" ${1:+--target "$@"}
}

# The package is built in a directory of its own, with neither tests nor
# benchmarks: only what it installs is compiled, and the everyday build/ is
# left as it is. The directory is the script's own, so one configured for
# another tree (a copied checkout) is started afresh.
package_dir="$here/build-package"
package() {
  local start=$SECONDS
  install_missing
  install_missing dpkg-dev
  local source; source="$(configured_source "$package_dir")"
  if [ -n "$source" ] && [ "$source" != "$here" ]; then
    echo "package: $package_dir was configured for $source; starting it afresh"
    rm -rf "$package_dir"
  fi
  cmake -S "$here" -B "$package_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHALVORN_BUILD_TESTS=OFF -DHALVORN_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$package_dir"
  (cd "$package_dir" && cpack -G DEB)
  ls "$package_dir"/halvorn_*.deb
  echo "package: took $((SECONDS - start)) s"
}

asan_dir="$here/build-asan"
tsan_dir="$here/build-tsan"
fuzz_dir="$here/build-fuzz"

sanitize_suite() {
  local start=$SECONDS
  sanitizer_build "$asan_dir" address,undefined
  sanitizer_environment
  (cd "$asan_dir" && ctest --output-on-failure --timeout 900 -j"$(nproc)")
  echo "sanitize: AddressSanitizer + UndefinedBehaviorSanitizer suite took $((SECONDS - start)) s"
}

tsan_tests() {
  local start=$SECONDS
  sanitizer_build "$tsan_dir" thread thread_tests
  sanitizer_environment
  (cd "$tsan_dir" && ctest --output-on-failure --timeout 900 -j"$(nproc)" -L threads)
  echo "tsan: ThreadSanitizer tests took $((SECONDS - start)) s"
}

fuzz() {
  local seconds="${1:-60}"
  install_missing
  install_missing "${fuzz_packages[@]}"
  CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$fuzz_dir" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVORN_BUILD_FUZZERS=ON \
        -DHALVORN_SANITIZE=address,undefined -DHALVORN_BUILD_TESTS=OFF \
        -DHALVORN_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$fuzz_dir" --target fuzzers
  sanitizer_environment
  # Function names and lines in clang's reports.
  [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ] &&
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
  local failed=0 total=0
  for target in "$fuzz_dir"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    local name; name="$(basename "$target")"
    # New inputs go to a scratch corpus; the kept corpus is only read.
    local scratch="$fuzz_dir/corpus/$name" log="$fuzz_dir/$name.log"
    mkdir -p "$scratch" "$fuzz_dir/artifacts"
    echo "fuzz: $name for $seconds s"
    if "$target" -max_total_time="$seconds" -seed=1 -timeout=10 -rss_limit_mb=4096 \
         -print_final_stats=1 -artifact_prefix="$fuzz_dir/artifacts/$name-" \
         "$scratch" "$here/fuzz/corpus/${name#fuzz_}" >"$log" 2>&1; then
      local runs; runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
      echo "fuzz: $name passed, ${runs:-?} executions"
      total=$((total + ${runs:-0}))
    else
      echo "fuzz: $name FAILED; the input is in $fuzz_dir/artifacts/, the report:"
      tail -n 60 "$log"
      failed=1
    fi
  done
  echo "fuzz: $total executions in all"
  return $failed
}

# Every tracked C++ file must read as clang-format writes it.
format_check() {
  install_missing "${format_packages[@]}"
  local unformatted=()
  while IFS= read -r -d '' file; do
    clang-format-14 --dry-run --Werror "$here/$file" >/dev/null 2>&1 || unformatted+=("$file")
  done < <(git -C "$here" ls-files -z -- '*.cpp' '*.h')
  if [ ${#unformatted[@]} -gt 0 ]; then
    printf 'format: not formatted (clang-format-14 -i FILE): %s\n' "${unformatted[@]}"
    return 1
  fi
  echo "format: every C++ file is formatted"
}

# The soak in the normal build, whose soak program carries LeakSanitizer:
# full speed, leaks still reported at exit.
soak() {
  local runs="${1:-100000}" start=$SECONDS
  build
  sanitizer_environment
  "$build_dir/tests/soak/soak_runs" "$runs"
  echo "soak: $runs Runs took $((SECONDS - start)) s"
}

cmd="${1:-}"
[ $# -gt 0 ] && shift
case "$cmd" in
  build) build ;;
  run)
    build
    exec "$build_dir/app/halvorn" "$@"
    ;;
  test)
    build
    export QT_QPA_PLATFORM=offscreen
    cd "$build_dir"
    exec ctest --output-on-failure --timeout 300 -j"$(nproc)"
    ;;
  package) package ;;
  bench)
    build
    export QT_QPA_PLATFORM=offscreen
    for b in "$build_dir"/bench/bench_*; do
      [ -x "$b" ] || continue
      "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
           ${1:+--benchmark_filter="$1"}
    done
    # The matplotlib comparison, where Debian's python3-matplotlib is installed.
    if [ -z "${1:-}" ] && /usr/bin/python3 -c "import matplotlib" 2>/dev/null; then
      "$here/bench/matplotlib_ratio.py" "$build_dir/bench/bench_chart"
    fi
    ;;
  sanitize)
    sanitize_suite
    tsan_tests
    ;;
  tsan) tsan_tests ;;
  fuzz) fuzz "${1:-60}" ;;
  soak) soak "${1:-100000}" ;;
  format) format_check ;;
  *)
    echo "usage: ./build.sh run|test|bench|build|package|sanitize|tsan|fuzz [SECONDS]|soak [RUNS]|format" >&2
    exit 2
    ;;
esac
