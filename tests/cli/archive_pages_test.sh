#!/usr/bin/env bash
# Pages from the archive against kvar2-emu: a report carries its recording (its hash and number,
# in the JSON, the PDF's keywords and its footer); archive report and chart draw a kept
# recording; archive import keeps a text export as imported, and every page made from it says
# so; a logger still measuring gives an estimated start.
# usage: archive_pages_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--unpaced)
field() {  # file, Python expression over the document d
  python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print($2)" "$1"
}

start_emu --channels 2 --id "Chłodnia 3" --write-pointer $((0x20 + 400)) --interval 7
"$cli" report --port "$work/port" -o "$work/port.json" >/dev/null 2>&1
check "report --port keeps the download" $?
"$cli" archive show 1 --json >"$work/show.json"
sha=$(field "$work/show.json" 'd["recording"]["sha256"]')
# Each report of recording 1: its JSON's recording member and its source kind.
for row in "port.json:$sha 1 downloaded False:port" \
  "kept.json:$sha 1 downloaded False:archive"; do
  file=${row%%:*} rest=${row#*:}
  [ "$file" = kept.json ] && "$cli" archive report 1 --lang en -o "$work/kept.json" >/dev/null
  got=$(field "$work/$file" 'd["recording"]["sha256"], d["recording"]["archive_id"],
    d["recording"]["origin"], d["recording"]["started_at_estimated"]')
  [ "$got:$(field "$work/$file" 'd["source"]["kind"]')" = "$rest" ]
  check "$file: recording 1 by its hash and number ($got)" $?
done
"$cli" report --port "$work/port" --no-archive -o "$work/unkept.json" >/dev/null 2>&1 &&
  [ "$(field "$work/unkept.json" 'd["recording"]["sha256"], d["recording"]["archive_id"]')" = \
    "$sha None" ]
check "report --no-archive: the hash, no number" $?

"$cli" archive report 1 -o "$work/kept.pdf" && pdfinfo "$work/kept.pdf" >"$work/pdfinfo.txt" &&
  pdftotext -layout "$work/kept.pdf" "$work/kept.txt"
check "archive report 1 -o PDF" $?
grep -q "^Keywords: *{\"zorvant_report\":1,\"recording\":{\"sha256\":\"$sha\",\"archive_id\":1" \
  "$work/pdfinfo.txt"
check "the PDF's keywords: the recording and the request" $?
grep -q "SHA-256 $sha · archiwum nr 1" "$work/kept.txt"; check "the footer: hash and number" $?
"$cli" archive chart 1 --overview -o "$work/kept.png" && [ -s "$work/kept.png" ] &&
  "$cli" archive chart 1 -o "$work/kept.svg" && grep -q "<svg" "$work/kept.svg"
check "archive chart 1: the overview and the window chart" $?
"$cli" archive report 9 -o "$work/none.svg" 2>/dev/null
check "archive report of no such recording: 16" $(($? != 16))
"$cli" archive chart 9 -o "$work/none.svg" 2>/dev/null
check "archive chart of no such recording: 16" $(($? != 16))

# An export imported beside a file that is not one: the export kept, the other refused.
start_emu --channels 1 --id "Mroźnia" --write-pointer $((0x20 + 90)) --interval 5
"$cli" read --port "$work/port" --no-archive -o "$work/export.txt" >/dev/null 2>&1
echo "not an export" >"$work/notes.txt"
"$cli" archive import "$work/notes.txt" "$work/export.txt" >"$work/import.txt" 2>"$work/err.txt"
code=$?
[ $code = 12 ] && grep -q "notes.txt" "$work/err.txt" && grep -q "export.txt: recording 2" \
  "$work/import.txt"
check "archive import: the export kept as 2, the other refused (12)" $?
"$cli" archive report 2 -o "$work/imported.json" >/dev/null &&
  "$cli" archive report 2 -o "$work/imported.svg" >/dev/null &&
  "$cli" report --from-export "$work/export.txt" -o "$work/found.json" >/dev/null
check "reports of the import" $?
[ "$(field "$work/imported.json" 'd["recording"]["origin"], d["recording"]["archive_id"]')" = \
  "imported 2" ] && grep -q "zaimportowany" "$work/imported.svg"
check "archive report of an import says imported" $?
[ "$(field "$work/found.json" 'd["recording"]["origin"], d["recording"]["archive_id"]')" = \
  "imported 2" ]
check "report --from-export finds its readings in the archive" $?
"$cli" report --from-export "$work/export.txt" --no-archive -o "$work/alone.json" >/dev/null &&
  [ "$(field "$work/alone.json" 'd["recording"]["sha256"], d["recording"]["origin"]')" = \
    "None None" ]
check "report --from-export without an archive: no recording named" $?

# A logger still measuring (status 3): 60 readings at 1 min, the first counted back from the
# download; a stopped one, or --started-at, is not estimated.
start_emu --channels 1 --write-pointer $((0x20 + 120)) --interval 5 --status 3
before=$(date +%s)
"$cli" report --port "$work/port" -o "$work/measuring.json" >/dev/null 2>&1
after=$(date +%s)
python3 - "$work/measuring.json" "$before" "$after" <<'PY'
import datetime, json, sys
d = json.load(open(sys.argv[1]))["recording"]
start = datetime.datetime.fromisoformat(d["started_at"]).timestamp()
assert d["started_at_estimated"] is True, d
assert int(sys.argv[2]) - 59 * 60 <= start <= int(sys.argv[3]) - 59 * 60, (start, sys.argv)
PY
check "a logger still measuring: the start estimated" $?
"$cli" archive report 3 -o "$work/measuring-kept.json" >/dev/null &&
  [ "$(field "$work/measuring-kept.json" 'd["recording"]["started_at_estimated"]')" = True ]
check "archive report: the start estimated from the download event" $?
"$cli" report --port "$work/port" --started-at 2026-12-01T08:00:00Z -o "$work/given.json" \
  >/dev/null 2>&1 &&
  [ "$(field "$work/given.json" 'd["recording"]["started_at_estimated"]')" = False ]
check "--started-at: not estimated" $?
"$cli" archive report 3 -o "$work/measuring.pdf" >/dev/null &&
  pdftotext -layout "$work/measuring.pdf" - | grep -q "(szacowany)"
check "the page says the start is estimated" $?
finish archive_pages
