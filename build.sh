#!/usr/bin/env bash
# Zolt set-up on Debian 12: installs what is missing, builds, and then
#   ./build.sh run          starts zoltwin
#   ./build.sh test         runs every test through ctest
#   ./build.sh sanitize     builds the tests with AddressSanitizer and
#                           UndefinedBehaviorSanitizer and runs them
#   ./build.sh bench        builds and runs the benchmarks in bench/
#   ./build.sh fuzz         builds the fuzz targets (clang, libFuzzer) and
#                           replays their seed corpora through ctest
# ZOLT_WERROR=1 in the environment turns compiler warnings into errors (CI).
set -euo pipefail
cd "$(dirname "$0")"
mode="${1:-run}"

packages=(build-essential cmake pkgconf qt6-base-dev libgl-dev libsqlite3-dev
          libxlsxwriter-dev libzip-dev sqlite3)
case "$mode" in
  test|sanitize) packages+=(python3 python3-openpyxl poppler-utils) ;;
  bench) packages+=(python3 python3-openpyxl time) ;;
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
configure_and_build() {  # dir, extra cmake options... (ZOLT_TARGETS: what to build, default all)
  local dir="$1"; shift
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
        -DZOLT_WARNINGS_AS_ERRORS="${ZOLT_WERROR:-OFF}" "$@" >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$jobs" ${ZOLT_TARGETS:+--target $ZOLT_TARGETS}
}

case "$mode" in
  run)
    configure_and_build build -DZOLT_BUILD_TESTS=OFF
    # The sample payment file is of the current year: made anew when the year turns.
    head -n 1 examples/Zoltdata.csv 2>/dev/null | grep -q "$(date +%Y)" || examples/make_examples.sh build
    exec build/bin/zoltwin ;;
  test)
    # The benchmarks are built too, so that they keep building.
    configure_and_build build -DZOLT_BUILD_TESTS=ON -DZOLT_BUILD_BENCH=ON
    ctest --test-dir build --output-on-failure -j "$jobs" ;;
  sanitize)
    configure_and_build build-sanitize -DZOLT_BUILD_TESTS=ON -DZOLT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-sanitize --output-on-failure -j "$jobs" ;;
  bench)
    configure_and_build build -DZOLT_BUILD_TESTS=OFF -DZOLT_BUILD_BENCH=ON
    bench/run.sh build ;;
  fuzz)
    # The core instrumented for libFuzzer and built with the sanitizers, so
    # that a fault is found where it happens: only the fuzz targets link it.
    CC=clang CXX=clang++ ZOLT_TARGETS=zolt_fuzz_targets \
      configure_and_build build-fuzz -DZOLT_BUILD_TESTS=OFF -DZOLT_BUILD_FUZZ=ON -DZOLT_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-fuzz --output-on-failure -j "$jobs" ;;
  *)
    echo "usage: $0 [run|test|sanitize|bench|fuzz]" >&2; exit 2 ;;
esac
