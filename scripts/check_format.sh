#!/usr/bin/env bash
# Fails when a C++ file of src/, tests/ or bench/ differs from .clang-format;
# `clang-format -i FILE` puts it right.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run -Werror
