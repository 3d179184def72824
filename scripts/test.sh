#!/usr/bin/env bash
# Set-up, build, and every test: unit (sanitized), integration (pty), e2e (Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cd build
ctest --output-on-failure --timeout 300 "$@"
