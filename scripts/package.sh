#!/usr/bin/env bash
# Builds the Debian package of Grossby 2018: BUILD_DIR/grossby_<version>_<arch>.deb,
# BUILD_DIR being build-package unless given. Installs what is missing first.
#   bash scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
bash scripts/deps.sh
# The package holds the program alone: tests and benchmarks are not built.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGROSSBY_BUILD_TESTS=OFF -DGROSSBY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
ls "$build"/grossby_*.deb
