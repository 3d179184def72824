#!/usr/bin/env bash
# Set-up, build, and every test: unit (sanitized), integration (pty), e2e (Wine), the Debian
# package and the Windows zip, then each fuzz target for a bounded time. Each stage's time is
# printed, so that a slow CI run shows where its minutes went.
set -euo pipefail
cd "$(dirname "$0")/.."

stage() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  echo "[time] $name: $((SECONDS - start)) s"
  return $status
}

run_tests() (
  # The Wine scenarios take turns (one resource lock); the other tests run beside them. Two
  # tests a core: most of a test's time is spent waiting (on the logger's timeouts, on Wine),
  # and the CLI suites use under half of two cores' time at -j2 (184 s there, 119 s at -j4).
  cd build && ctest --output-on-failure --timeout 300 -j"$(($(nproc) * 2))" "$@"
)

stage set-up scripts/setup.sh
stage build scripts/build.sh
stage tests run_tests "$@"
stage packages tests/packaging/package_check.sh build-release build
stage fuzz scripts/fuzz.sh
