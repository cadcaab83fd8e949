#!/usr/bin/env bash
# Configures and builds everything into build/ (program, command-line tool,
# tests and benchmarks). The program folder is build/bin.
# GROSSBY_PRESET chooses another configuration from CMakePresets.json
# (ci: warnings as errors, in build-ci/; sanitize: AddressSanitizer and UBSan in build-sanitize/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
preset="${GROSSBY_PRESET:-release}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
