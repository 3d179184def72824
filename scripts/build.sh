#!/usr/bin/env bash
# Builds the native tree (sanitized tests, emulator, CLI) and the Windows program beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
