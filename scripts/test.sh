#!/usr/bin/env bash
# Installs what is missing, checks the code's format and its layers, builds
# with warnings as errors into build-ci/, runs every test (no display
# needed), then each fuzz harness for a short while from its seed corpus
# (GROSSBY_FUZZ_SECONDS each, default 15; 0 leaves them out). With
# GROSSBY_SANITIZE=1, or under CI, the whole suite then runs again built with
# AddressSanitizer and UBSan (the oracle comparison tests, label "oracle",
# with a tenth of their cases).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/check_format.sh
python3 scripts/check_layers.py
GROSSBY_PRESET=ci bash scripts/build.sh
ctest --preset ci -j"$(nproc)"
fuzz_seconds=${GROSSBY_FUZZ_SECONDS:-15}
if [ "$fuzz_seconds" != 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds"
fi
if [ "${GROSSBY_SANITIZE:-}" = 1 ] || [ "${CI:-}" = true ]; then
  GROSSBY_PRESET=sanitize bash scripts/build.sh
  ctest --preset sanitize -j"$(nproc)"
fi
