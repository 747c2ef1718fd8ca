#!/usr/bin/env bash
# Sets up a Debian 12 machine for Halvorn, builds it, and runs it or its tests.
#
#   ./build.sh run [ARGS...]   install what is missing, build, start the program
#   ./build.sh test            install what is missing, build, run every test
#   ./build.sh bench [FILTER]  install what is missing, build, run the benchmarks
#   ./build.sh build           install what is missing and build
#   ./build.sh package         build the Debian package build/halvorn_VERSION_ARCH.deb
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${HALVORN_BUILD_DIR:-$here/build}"

packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation2
          libgtest-dev libgmock-dev libbenchmark-dev)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
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

build() {
  install_missing
  cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build_dir"
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
  package)
    packages+=(dpkg-dev)
    build
    (cd "$build_dir" && cpack -G DEB)
    ls "$build_dir"/halvorn_*.deb
    ;;
  bench)
    build
    export QT_QPA_PLATFORM=offscreen
    for b in "$build_dir"/bench/bench_*; do
      [ -x "$b" ] || continue
      "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
           ${1:+--benchmark_filter="$1"}
    done
    ;;
  *)
    echo "usage: ./build.sh run|test|bench|build|package" >&2
    exit 2
    ;;
esac
