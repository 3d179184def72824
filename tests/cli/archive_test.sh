#!/usr/bin/env bash
# zorvant-cli's archive against kvar2-emu: every download kept as received and listed, shown,
# verified and logged; --archive over $ZORVANT_ARCHIVE; --no-archive; an archive that cannot be
# written loses nothing of the download's output and ends with its own exit code; a tampered
# recording and a tampered event found by verify; the JSON as its schemas say.
# usage: archive_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--unpaced --dump-memory "$work/memory.bin")
archive=$ZORVANT_ARCHIVE

start_emu --channels 2 --id "Chłodnia 3" --write-pointer $((0x20 + 400)) --interval 7
"$cli" read --port "$work/port" -o "$work/one.txt" >/dev/null 2>"$work/err.txt"
check "read keeps the download" $?
grep -q "kept in the archive as recording 1" "$work/err.txt"; check "read names the recording" $?
"$cli" report --port "$work/port" -o "$work/r.json" >/dev/null 2>&1
check "report --port keeps the same bytes again" $?
"$cli" info --port "$work/port" >/dev/null 2>&1; check "info records its reading" $?

"$cli" archive list --json >"$work/list.json"; check "archive list --json" $?
python3 - "$work/list.json" "$work/memory.bin" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
r = d["recordings"]
assert len(r) == 1, r
assert r[0]["logger_id"] == "Chłodnia 3" and r[0]["readings"] == 100, r[0]
assert r[0]["byte_count"] == 400 and r[0]["channel_mode"] == 2, r[0]
assert r[0]["source"].endswith("/port"), r[0]
PY
check "one recording, as downloaded, however often downloaded" $?
"$cli" archive list >"$work/list.txt"
python3 - "$work/list.txt" <<'PY'
import re, sys
head, row = open(sys.argv[1], encoding="utf-8").read().splitlines()[:2]
# The Polish identifier takes as many columns as it has letters, not bytes.
assert "Chłodnia 3" in row and re.search(r"\d{4}-\d\d-\d\d", row).start() == head.index("KEPT"), (head, row)
PY
check "archive list as text, in columns" $?
"$cli" archive list --logger nobody --json >"$work/none.json" &&
  [ "$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["recordings"]))' \
    "$work/none.json")" = 0 ]
check "archive list --logger filters" $?
# --since: each date with the count of recordings kept at or after it, or 2 for a refusal.
count() { python3 -c 'import json,sys; print(len(json.load(sys.stdin)["recordings"]))'; }
for row in "1970-01-01:1" "1970-01-01T00:00:00Z:1" "2999-12-31:0" "2999-12-31T23:59:59Z:0" \
  "2026-02-30:2" "2026-12-01T24:00:00Z:2" "2026-12-01T08:00:00:2" "01-12-2026:2" "2026-1-1:2"; do
  date=${row%:*} expected=${row##*:}
  if [ "$expected" = 2 ]; then
    "$cli" archive list --since "$date" >/dev/null 2>&1; got=$?
  else
    got=$("$cli" archive list --since "$date" --json | count)
  fi
  [ "$got" = "$expected" ]; check "archive list --since $date: $expected" $?
done
"$cli" archive show 1 --json >"$work/show.json"; check "archive show --json" $?
python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))
assert [e["kind"] for e in d["events"]] == ["download", "file_written"] * 2, d["events"]
assert len(d["recording"]["info_tab"]) == 52' "$work/show.json"
check "archive show: the table as read, both downloads and the files made of them" $?
"$cli" archive show 9 >/dev/null 2>&1; check "archive show of no such recording: 16" $(($? != 16))
"$cli" archive log --json >"$work/log.json" &&
  python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))
assert [e["kind"] for e in d["events"]] == ["download", "file_written"] * 2 + ["info"]' \
    "$work/log.json"
check "archive log: every event in order" $?
"$cli" archive verify >"$work/verify.txt"; check "archive verify: clean" $?
"$cli" archive export 1 -o "$work/export.txt" && cmp -s "$work/one.txt" "$work/export.txt"
check "archive export: the bytes read wrote" $?
"$cli" read --port "$work/port" --format json -o "$work/read.json" --no-archive >/dev/null 2>&1
"$cli" archive export 1 -o "$work/export.json" &&
  cmp -s "$work/read.json" "$work/export.json"
check "archive export: the JSON read wrote" $?

# --archive names another place than the environment's; --no-archive keeps nothing.
"$cli" read --port "$work/port" -o "$work/two.txt" --archive "$work/other.sqlite" >/dev/null 2>&1
"$cli" archive list --archive "$work/other.sqlite" --json >"$work/other.json" &&
  python3 -c 'import json,sys; assert len(json.load(open(sys.argv[1]))["recordings"]) == 1' \
    "$work/other.json"
check "--archive PATH keeps there" $?
"$cli" read --port "$work/port" -o "$work/three.txt" --no-archive >/dev/null 2>"$work/err.txt" &&
  ! grep -q kept "$work/err.txt" && [ "$("$cli" archive log --json |
  python3 -c 'import json,sys; print(len(json.load(sys.stdin)["events"]))')" = 8 ]
check "--no-archive keeps nothing" $?

# A read-only archive: the export is written all the same, and the exit code says the rest.
chmod a-w "$archive" "$work"
"$cli" read --port "$work/port" -o /dev/stdout >"$work/../readonly-$$.txt" 2>"$work/err.txt"
code=$?
chmod u+w "$archive" "$work"
mv "$work/../readonly-$$.txt" "$work/readonly.txt"
[ "$(id -u)" = 0 ] || { [ $code = 14 ] && grep -q "archive was not written" "$work/err.txt"; }
check "a read-only archive: exit 14 and why" $?
cmp -s "$work/one.txt" "$work/readonly.txt"; check "a read-only archive: the export whole" $?

# A file that is not an archive (root writes anything read-only): named, left as it was, and the
# export written all the same.
cp "$work/one.txt" "$work/foreign.sqlite"
"$cli" read --port "$work/port" -o "$work/foreign.txt" --archive "$work/foreign.sqlite" \
  >/dev/null 2>"$work/err.txt"
[ $? = 14 ] && grep -q "foreign.sqlite" "$work/err.txt" && cmp -s "$work/one.txt" "$work/foreign.txt" &&
  cmp -s "$work/one.txt" "$work/foreign.sqlite"
check "not an archive: exit 14, the archive named and untouched, the export whole" $?

# Tampering: a recording's byte, then an event's body.
sqlite3 "$archive" "UPDATE recordings SET memory = zeroblob(length(memory))" 2>/dev/null ||
  python3 -c 'import sqlite3,sys; c=sqlite3.connect(sys.argv[1])
c.execute("UPDATE recordings SET memory = zeroblob(length(memory))"); c.commit()' "$archive"
"$cli" archive verify >"$work/verify.txt"; check "an altered recording: 17" $(($? != 17))
python3 -c 'import sqlite3,sys; c=sqlite3.connect(sys.argv[1])
c.execute("UPDATE events SET body = replace(body, \"info\", \"inf0\") WHERE seq = 5"); c.commit()' \
  "$archive"
"$cli" archive verify >"$work/verify.txt"
[ $? = 17 ] && grep -q "first broken link: event 5" "$work/verify.txt"
check "an altered event: 17, named as the first broken link" $?
finish archive
