#!/usr/bin/env bash
# Set-up, build, and every test: unit (sanitized), integration (pty), e2e (Wine), the Debian
# package and the Windows zip, then each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
# The Wine scenarios take turns (one resource lock); the other tests run beside them.
(cd build && ctest --output-on-failure --timeout 300 -j"$(nproc)" "$@")
tests/packaging/package_check.sh build-release build
scripts/fuzz.sh
