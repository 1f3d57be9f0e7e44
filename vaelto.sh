#!/usr/bin/env bash
# The one entry point: setup | build | test | run | bench.
# Works on a fresh Debian 12 machine: setup installs what the build and the
# tests need and prepares a Wine prefix; run and test set up and build first.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=$ROOT/build
JOBS=$(nproc 2>/dev/null || echo 2)
export VAELTO_ROOT=$ROOT VAELTO_BUILD=$BUILD

# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"

PACKAGES=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libicu-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  wine64 xvfb xdotool imagemagick locales file
  fonts-wqy-microhei fonts-wqy-zenhei fonts-wine fonts-liberation
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  pulseaudio pulseaudio-utils sox libsox-fmt-mp3 python3 nodejs npm
)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

setup_packages() {
  local missing
  missing=$(missing_packages | tr '\n' ' ')
  # npm may come with a Node.js that is not Debian's; accept any working npm.
  if command -v npm >/dev/null 2>&1; then missing=$(echo "$missing" | sed -e 's/\bnodejs\b//' -e 's/\bnpm\b//'); fi
  if [ -n "${missing// /}" ]; then
    echo "setup: installing $missing"
    as_root apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends $missing
  fi
}

setup_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    echo "setup: generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
}

setup_node_references() {
  # Test-only references (not part of the product), pinned by their lock file.
  local dir=$ROOT/tests/reference
  [ -f "$dir/package.json" ] || return 0
  if [ ! -d "$dir/node_modules" ] || [ "$dir/package-lock.json" -nt "$dir/node_modules" ]; then
    echo "setup: installing the test references with npm"
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
    touch "$dir/node_modules"
  fi
}

cmd_setup() {
  setup_packages
  setup_locale
  setup_node_references
  wine_prepare_prefix
}

configure() {  # dir, extra cmake args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
}

cmd_build() {
  configure "$BUILD/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAELTO_SANITIZE=ON
  cmake --build "$BUILD/native" -j "$JOBS"
  if [ -z "${VAELTO_NATIVE_ONLY:-}" ]; then
    configure "$BUILD/i686" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DVAELTO_TESTS=OFF
    cmake --build "$BUILD/i686" -j "$JOBS"
    configure "$BUILD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DVAELTO_TESTS=ON
    cmake --build "$BUILD/x86_64" -j "$JOBS"
    configure "$BUILD/x86_64-e2e" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DVAELTO_TESTS=OFF -DVAELTO_E2E_JOURNAL=ON
    cmake --build "$BUILD/x86_64-e2e" -j "$JOBS"
  fi
}

cmd_test() {
  cmd_setup
  cmd_build
  exec "$ROOT/scripts/run-tests.sh" "$@"
}

cmd_run() {
  cmd_setup
  cmd_build
  exec "$ROOT/scripts/run-program.sh" "$@"
}

cmd_bench() {
  cmd_setup
  cmd_build
  configure "$BUILD/bench" -DCMAKE_BUILD_TYPE=Release -DVAELTO_TESTS=OFF -DVAELTO_BENCH=ON
  cmake --build "$BUILD/bench" -j "$JOBS"
  exec "$ROOT/scripts/run-bench.sh" "$@"
}

case "${1:-}" in
  setup) shift; cmd_setup "$@" ;;
  build) shift; cmd_build "$@" ;;
  test) shift; cmd_test "$@" ;;
  run) shift; cmd_run "$@" ;;
  bench) shift; cmd_bench "$@" ;;
  *)
    echo "usage: ./vaelto.sh setup|build|test|run|bench" >&2
    exit 2
    ;;
esac
