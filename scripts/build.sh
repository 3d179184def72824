#!/usr/bin/env bash
# Builds the native tree (sanitized tests, emulator, CLI) with the Windows program beside it in
# build/, and the unsanitized Release tree in build-release/ (what a user and the benchmarks
# run; built here so that every configuration keeps compiling with -Werror). `cpack` in
# build-release then makes the Debian package and, from build/win, the Windows zip.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ "${ZV_SKIP_RELEASE:-0}" != 1 ]; then
  cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZV_SANITIZE=OFF -DZV_WINDOWS=OFF \
    -DZV_WIN_BINARY_DIR="$PWD/build/win" >/dev/null
  cmake --build build-release -j"$(nproc)"
fi
