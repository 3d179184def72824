#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz/ and runs each for a
# bounded time (ZV_FUZZ_SECONDS, default 20) from the seed corpus in fuzz/corpus/<target>.
# New inputs go to a scratch corpus, so the repository's stays as committed; a crash leaves
# its input in build-fuzz/findings/<target>/ and fails the run. Add a fixed finding's input to
# fuzz/corpus/<target>/ so it is replayed on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${ZV_FUZZ_SECONDS:-20}
# -O1 with line tables, as libFuzzer's authors advise: fast enough to fuzz, quick to build.
flags="-O1 -gline-tables-only -DNDEBUG"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DZV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_targets
rm -f build-fuzz/fuzz_*.result
# One target a core at a time: each runs for its bounded time whatever the machine, so the
# stage takes the total divided by the cores.
fuzz_one() {
  local target=$1 name scratch findings log runs
  name=$(basename "$target")
  scratch=build-fuzz/scratch/$name
  findings=build-fuzz/findings/$name
  rm -rf "$scratch"
  mkdir -p "$scratch" "$findings"
  log=build-fuzz/$name.log
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$scratch" "fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ${runs:-?} executions, no finding"
  else
    echo "fuzz $name: FINDING (log $log, input in $findings)"
    tail -n 30 "$log"
    return 1
  fi
}
export -f fuzz_one
export seconds
status=0
find build-fuzz/fuzz -maxdepth 1 -name 'fuzz_*' -type f -executable -print0 | sort -z |
  xargs -0 -n 1 -P "$(nproc)" bash -c 'fuzz_one "$1" >"build-fuzz/$(basename "$1").result"' _ ||
  status=1
# The results in the targets' order, whichever finished first.
cat build-fuzz/fuzz_*.result
exit $status
