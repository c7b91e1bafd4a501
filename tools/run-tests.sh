#!/usr/bin/env bash
# Builds sigma0 twice, normally and with AddressSanitizer + UndefinedBehaviorSanitizer, and runs
# the whole test suite in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

jobs=$(nproc)
build_and_test() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

build_and_test build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  build_and_test build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSIGMA0_SANITIZE=ON -DSIGMA0_BUILD_BENCH=OFF
