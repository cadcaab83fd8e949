#!/usr/bin/env bash
# Configures and builds everything into build/ (program, command-line tool,
# tests and benchmarks). The program folder is build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
