#!/usr/bin/env bash
# zorvant-cli verify against kvar2-emu: an export, a report's JSON and its PDF checked against
# the download the archive kept, each edit named where it is, a file of another recording not
# found; the configuration writes and the files written on the trail; the JSON as documented.
# usage: verify_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--unpaced)

start_emu --channels 2 --id "Chłodnia 3" --write-pointer $((0x20 + 400)) --interval 7
"$cli" read --port "$work/port" -o "$work/one.txt" >/dev/null 2>&1
"$cli" report --port "$work/port" -o "$work/r.json" >/dev/null 2>&1
"$cli" report --port "$work/port" -o "$work/r.pdf" >/dev/null 2>&1
"$cli" report --from-export "$work/one.txt" -o "$work/from-export.json" >/dev/null 2>&1
# The same logger, its memory written by other readings: an export the archive never kept.
start_emu --channels 2 --id "Chłodnia 3" --write-pointer $((0x20 + 404)) --interval 7
"$cli" read --port "$work/port" -o "$work/other.txt" --no-archive >/dev/null 2>&1

# Edits: the 17th slot's A reading one degree lower (line 28), a report figure, a text file.
python3 - "$work" <<'PY'
import json, sys
w = sys.argv[1]
lines = open(f"{w}/one.txt", "rb").read().split(b"\r\n")
a, b = lines[27].split(b"\t")
whole, frac = a.split(b",")
lines[27] = str(int(whole) - 1).encode() + b"," + frac + b"\t" + b
open(f"{w}/edited.txt", "wb").write(b"\r\n".join(lines))
r = json.load(open(f"{w}/r.json"))
r["channels"][0]["max_c"] += 0.5
json.dump(r, open(f"{w}/edited-report.json", "w"), ensure_ascii=False)
open(f"{w}/notes.txt", "w").write("not a recording\n")
# The interval line edited, the readings kept; LF line ends; 25 slots edited; a broken reading.
lines = open(f"{w}/one.txt", "rb").read().split(b"\r\n")
header = lines[:4] + [lines[4].replace(b"5 min", b"1 min")] + lines[5:]
open(f"{w}/header.txt", "wb").write(b"\r\n".join(header))
open(f"{w}/lf.txt", "wb").write(b"\n".join(lines))
many = lines[:11] + [b"99,0000\t" + l.split(b"\t")[1] for l in lines[11:36]] + lines[36:]
open(f"{w}/many.txt", "wb").write(b"\r\n".join(many))
open(f"{w}/broken.txt", "wb").write(b"\r\n".join(lines[:11] + [b"21,00x0\t1,0000"] + lines[12:]))
r["recording"]["sha256"] = "0" * 64
json.dump(r, open(f"{w}/unknown-report.json", "w"), ensure_ascii=False)
# A PDF whose request asks for English pages: the Polish pages are not what it makes.
pdf = open(f"{w}/r.pdf", "rb").read()
open(f"{w}/edited.pdf", "wb").write(pdf.replace(b'"language":"pl"', b'"language":"en"'))
PY

# file, expected exit code, a line its text output must hold
while IFS='|' read -r file code says; do
  "$cli" verify "$work/$file" >"$work/out.txt" 2>&1; got=$?
  [ "$got" = "$code" ] && grep -qF -- "$says" "$work/out.txt"
  check "verify $file: $code, \"$says\"" $?
  [ "$code" = 12 ] || "$cli" verify "$work/$file" --json >"$work/verify-${file//./-}.json" 2>/dev/null
done <<'ROWS'
one.txt|0|matches recording 1
edited.txt|18|reading 17, channel A (line 28)
r.json|0|matches recording 1
edited-report.json|18|/channels/0/max_c
r.pdf|0|matches recording 1
from-export.json|0|matches recording 1
edited.pdf|18|page 1, line 1: Raport z rejestracji temperatury in the file
other.txt|19|NOT FOUND
header.txt|18|header, interval: 1 min  in the file, 5 min  in the original
lf.txt|0|the layout differs
many.txt|18|and 5 more
broken.txt|12|an export whose readings do not read: not a reading
unknown-report.json|19|holds no recording of SHA-256 0000
notes.txt|12|none of a text export
ROWS
python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))
assert d["result"] == "differs" and len(d["differences"]) == 1, d' "$work/verify-edited-txt.json"
check "verify --json: the one reading edited, and nothing else" $?

# The trail: a configuration write with its tables and answers, each file with its hash.
start_emu --channels 1 --write-pointer $((0x20 + 40))
"$cli" config --port "$work/port" --keep --interval "10 s" >/dev/null 2>&1
check "config writes" $?
"$cli" config --port "$work/port" --keep --channels ab >/dev/null 2>&1
check "a refused mode change: 10" $(($? != 10))
"$cli" archive log --json >"$work/log.json"
python3 - "$work" <<'PY'
import hashlib, json, sys
w = sys.argv[1]
events = [e["body"] for e in json.load(open(f"{w}/log.json"))["events"]]
kinds = [e["kind"] for e in events]
assert kinds.count("verify") == 24, kinds
config = [e for e in events if e["kind"] == "config_write"][0]["details"]
assert config["outcome"] == "stored" and config["answers"] == {"erase_samples": "no"}, config
assert config["table_before"] != config["table_after"] and len(config["table_after"]) == 52
refused = [e for e in events if e["kind"] == "config_write"][1]["details"]
assert refused["outcome"] == "not_written" and refused["answers"]["mode_change"] == "cancel"
assert refused["table_before"] == refused["table_after"], refused
for name, fmt in (("one.txt", "txt"), ("r.json", "json"), ("r.pdf", "pdf")):
    written = [e for e in events if e["kind"] == "file_written" and e["source"].endswith(name)]
    assert len(written) == 1, name
    d = written[0]["details"]
    assert d["format"] == fmt and d["sha256"] == hashlib.sha256(open(f"{w}/{name}", "rb").read()).hexdigest(), d
    assert written[0]["recording"], name
PY
check "archive log: both configuration writes, as they ended, and every file written, hashed" $?
"$cli" archive verify --json >"$work/archive-verify.json"; check "archive verify --json: clean" $?
python3 -c 'import sqlite3,sys; c=sqlite3.connect(sys.argv[1])
c.execute("UPDATE events SET body = replace(body, \"stored\", \"st0red\") WHERE kind = \"config_write\""); c.commit()' \
  "$ZORVANT_ARCHIVE"
"$cli" archive verify --json >"$work/archive-broken.json"
[ $? = 17 ] && python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))
assert not d["clean"] and d["first_broken_link"] == d["findings"][0]["event_seq"], d' \
  "$work/archive-broken.json"
check "archive verify --json: an altered configuration write, 17, named as the first broken link" $?
finish verify
