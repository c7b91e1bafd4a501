#!/usr/bin/env bash
# Builds sigma0 (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSIGMA0_BUILD_TESTS=OFF \
  -DSIGMA0_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)"
exec build-release/app/sigma0-gui "$@"
