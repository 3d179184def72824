#!/usr/bin/env bash
# Builds the native tree (sanitized tests, emulator, CLI) with the Windows program beside it in
# build/, and the unsanitized Release tree in build-release/ (the programs a user installs and
# the benchmarks; built here so that both configurations keep compiling with -Werror). `cpack` in
# build-release then makes the Debian package and, from build/win, the Windows zip.
set -euo pipefail
cd "$(dirname "$0")/.."
# cairo and SQLite for zorvant-cli.exe, cross-built once per version into the user's cache by
# scripts/windows_libs.sh (which prints where); ZV_SKIP_WIN_LIBS=1 builds the Windows CLI
# without them, writing SVG only.
win_libs=""
if [ "${ZV_SKIP_WIN_LIBS:-0}" != 1 ]; then
  win_libs=$(scripts/windows_libs.sh)
fi
# The sanitized tree runs tests, not users: -O1 with line tables only (enough for the
# sanitizers' stack traces) compiles in about half the time of RelWithDebInfo's -O2 -g. The
# optimizer's warnings at -O2 and beyond stay checked in the Release and Windows trees.
start=$SECONDS
test_flags="-O1 -g1 -DNDEBUG"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$test_flags" \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="$test_flags" -DZV_WIN_LIBS="$win_libs" >/dev/null
cmake --build build -j"$(nproc)"
echo "[time] build/ (sanitized, with the Windows tree): $((SECONDS - start)) s"
if [ "${ZV_SKIP_RELEASE:-0}" != 1 ]; then
  # The programs and the benchmarks; the tests run in build/ alone, so they are not built here.
  # The CLI's option files are compiled one by one here (cheap without the sanitizers), so
  # that each keeps compiling on its own, outside its unity source.
  start=$SECONDS
  cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZV_SANITIZE=OFF -DZV_WINDOWS=OFF \
    -DBUILD_TESTING=OFF -DZV_BENCH=ON -DZV_UNITY_CLI=OFF -DZV_WIN_BINARY_DIR="$PWD/build/win" \
    >/dev/null
  cmake --build build-release -j"$(nproc)"
  echo "[time] build-release/: $((SECONDS - start)) s"
fi
