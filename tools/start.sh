#!/usr/bin/env bash
# Builds sigma0 (Release), converts the sample scene once with the command line, and opens the
# window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSIGMA0_BUILD_TESTS=OFF \
  -DSIGMA0_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)"
sample=build-release/sample
build-release/cli/sigma0 convert --sensor alos --leader "$sample/LED-SIGMA0-SAMPLE" \
  --source "$sample/IMG-HH-SIGMA0-SAMPLE" --output "$sample/sample-sigma0.img" --envi-header
exec build-release/app/sigma0-gui "$@"
