#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every
# test (no display needed). With GROSSBY_SANITIZE=1, or under CI, the whole
# suite then runs again built with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
GROSSBY_PRESET=ci bash scripts/build.sh
ctest --preset ci -j"$(nproc)"
if [ "${GROSSBY_SANITIZE:-}" = 1 ] || [ "${CI:-}" = true ]; then
  GROSSBY_PRESET=sanitize bash scripts/build.sh
  ctest --preset sanitize -j"$(nproc)"
fi
