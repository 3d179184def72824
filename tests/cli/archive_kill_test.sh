#!/usr/bin/env bash
# Downloads killed with SIGKILL at random moments, again and again: the archive keeps each
# recording whole or not at all, so it verifies afterwards and every recording it lists holds
# all its readings.
# usage: archive_kill_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
rounds=${ZV_KILL_ROUNDS:-25}
start_emu --unpaced --channels 2 --id "Kill" --write-pointer $((0x20 + 32000))
"$cli" read --port "$work/port" -o "$work/whole.txt" >/dev/null 2>&1
check "a first download, whole" $?
# A download takes about two seconds here; the kills fall anywhere in it, the keeping included.
for round in $(seq "$rounds"); do
  "$cli" read --port "$work/port" -o "$work/round.txt" >/dev/null 2>&1 &
  ms=$((RANDOM % 2300))
  sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"
  kill -9 $! 2>/dev/null
  wait $! 2>/dev/null
  # Now and then the memory changes, so that a new recording is kept, not only an event.
  [ $((round % 5)) = 0 ] && start_emu --unpaced --channels 2 --id "Kill" \
    --write-pointer $((0x20 + 32000 - round * 64))
done
kept=$("$cli" archive log --json | python3 -c 'import json, sys
print(sum(e["kind"] == "download" for e in json.load(sys.stdin)["events"]) - 1)')
echo "     $kept of $rounds downloads kept before their kill"
"$cli" archive verify >"$work/verify.txt"
check "the archive verifies after $rounds kills" $?
"$cli" archive list --json >"$work/list.json" && python3 - "$work/list.json" <<'PY'
import json, sys
for r in json.load(open(sys.argv[1]))["recordings"]:
    assert r["byte_count"] == 4 * r["readings"], r
    assert (32000 - r["byte_count"]) % 64 == 0, r
PY
check "every recording kept is whole" $?
finish "archive kill"
