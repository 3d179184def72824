#!/usr/bin/env bash
# One archive for a site, on a throw-away PostgreSQL: two PCs (two host names) keeping their
# downloads on the server at the same moment leave one whole chain; a PC's archive copied onto
# the server and the server's copied back into a file verify, and a second copy adds nothing;
# a wrong password is refused with the server's reason and never printed; the server stopped
# before a keep leaves the download's output written and the archive's own exit code.
# usage: archive_site_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
server=/tmp/zv-pg-site-$$
server_script="$(dirname "$0")/../archive/test_server.sh"
trap '"$server_script" stop "$server"; cleanup' EXIT
"$server_script" start "$server" || exit 1
psql=/usr/lib/postgresql/15/bin/psql
"$psql" -h "$server" -U zv_admin -d postgres -q -c "CREATE DATABASE site" || exit 1
site="postgresql://zv_admin@/site?host=$server"

# Two technicians' PCs, each with its own logger and host name, five downloads each at once.
pc() {  # name
  "$emu" --link "$work/port-$1" --unpaced --channels 2 --id "$1" \
    --write-pointer $((0x20 + 800)) >"$work/emu-$1.log" 2>&1 &
  local emulator=$!  # this PC's own: the script's clean-up knows only its direct jobs
  for _ in $(seq 100); do [ -L "$work/port-$1" ] && break; sleep 0.05; done
  unshare --uts sh -c 'hostname "$1"; shift; for i in 1 2 3 4 5; do
      "$@" -o "$0.$i.txt" >/dev/null 2>>"$0.err" || echo "read $i: $?" >>"$0.err"; done' \
    "$work/$1" "$1" "$cli" read --port "$work/port-$1" --archive "$site"
  kill "$emulator" 2>/dev/null
  wait "$emulator" 2>/dev/null
}
if unshare --uts true 2>/dev/null; then
  pc pc-a &
  pc pc-b &
  wait %1 %2
  ! grep -q "^read [0-9]" "$work/pc-a.err" "$work/pc-b.err"
  check "two PCs keep downloads on the server at once" $?
  "$cli" archive verify --archive "$site" >"$work/verify.txt"
  check "the site's archive verifies: one chain, no fork" $?
  "$cli" archive log --json --archive "$site" >"$work/log.json" &&
    python3 - "$work/log.json" <<'PY'
import json, sys
events = json.load(open(sys.argv[1]))["events"]
hosts = sorted({e["body"]["host"] for e in events if e["kind"] == "download"})
assert hosts == ["pc-a", "pc-b"], hosts
assert [e["seq"] for e in events] == list(range(1, len(events) + 1)), "gap or duplicate"
assert sum(e["kind"] == "download" for e in events) == 10, events
PY
  check "ten downloads from two host names, numbered without a gap" $?
else
  echo "SKIP: two host names need unshare --uts (root or a user namespace)"
fi

# A PC's own archive moved in, and the site's given to an auditor as a file.
start_emu --unpaced --channels 1 --id "Mroźnia" --write-pointer $((0x20 + 300))
"$cli" read --port "$work/port" -o "$work/local.txt" >/dev/null 2>&1
"$cli" info --port "$work/port" >/dev/null 2>&1
copied() { sed -n 's/.* \([0-9]*\) copied, \([0-9]*\) recording.*/\1 \2/p'; }
[ "$("$cli" archive copy --to "$site" | copied)" = "3 1" ]
check "archive copy --to the server: the download, its file and the info, and the recording" $?
[ "$("$cli" archive copy --to "$site" | copied)" = "0 0" ]
check "archive copy again copies nothing" $?
"$cli" archive copy --from "$site" --to "$work/auditor.sqlite3" >/dev/null &&
  "$cli" archive verify --archive "$work/auditor.sqlite3" >/dev/null &&
  [ "$("$cli" archive list --json --archive "$work/auditor.sqlite3" |
    python3 -c 'import json,sys; print(len(json.load(sys.stdin)["recordings"]))')" = 3 ]
check "archive copy --from the server to a file: three recordings that verify" $?
"$cli" archive export 3 -o "$work/back.txt" --archive "$work/auditor.sqlite3" &&
  cmp -s "$work/local.txt" "$work/back.txt"
check "the copied recording exports the bytes read wrote" $?

# A wrong password: the server's reason, the archive's exit code, the password nowhere.
"$cli" read --port "$work/port" -o "$work/pw.txt" \
  --archive "postgresql://zv_secret:wrong-pass-word@/zv_secret?host=$server" >"$work/pw.out" 2>&1
[ $? = 14 ] && [ -s "$work/pw.txt" ] && grep -q "password authentication failed" "$work/pw.out" &&
  ! grep -q "wrong-pass-word" "$work/pw.out"
check "a wrong password: output written, exit 14, the reason without the password" $?

# The server gone: the download's output is still written, and nothing half-kept.
"$server_script" halt "$server"
"$cli" read --port "$work/port" -o "$work/down.txt" --archive "$site" >/dev/null 2>"$work/down.err"
[ $? = 14 ] && cmp -s "$work/local.txt" "$work/down.txt"
check "the server down: the export written all the same, exit 14" $?
"$server_script" resume "$server"
"$cli" archive verify --archive "$site" >/dev/null
check "the site's archive verifies after the server came back" $?
finish "archive site"
