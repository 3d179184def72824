#!/usr/bin/env bash
# zorvant-cli end to end against kvar2-emu on a pseudo-terminal: the information as text and
# JSON, the download written byte for byte as the export layout says, and each failure's
# message and exit code; then the emulator's own front end (table writes and --save-table,
# the unplug fault, its link, its memory file). usage: cli_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--unpaced --dump-memory "$work/memory.bin")
here=$(cd "$(dirname "$0")" && pwd)

# Downloads from one- and two-channel loggers match the layout computed independently.
for channels in 1 2; do
  start_emu --channels "$channels" --id "Chłodnia 3"
  "$cli" info --port "$work/port" --json >"$work/info.json"; rc=$?
  check "info --json, $channels channel(s)" $rc
  grep -q "\"logger_id\":\"Chłodnia 3\"" "$work/info.json"; check "identifier in UTF-8" $?
  valid_json "$work/info.json"; check "info --json as its schema says" $?
  grep -q "\"channel_mode\":$channels" "$work/info.json"; check "channel mode $channels" $?
  "$cli" read --port "$work/port" --output "$work/export.txt" >"$work/read.out"; rc=$?
  check "read, $channels channel(s)" $rc
  python3 "$here/expected_export.py" "$work/memory.bin" "$work/info.json" "$work/expected.txt"
  cmp "$work/export.txt" "$work/expected.txt"; check "export byte for byte, $channels channel(s)" $?
done

# A full memory of 32,768 bytes ends in a marker block of its own and comes home whole.
start_emu --memory-start 0 --memory-bytes 32768 --write-pointer 0
"$cli" info --port "$work/port" --json >"$work/info.json"
"$cli" read --port "$work/port" -o "$work/export.txt" >"$work/read.out"; check "full memory" $?
grep -q "(32768 bajtów)" "$work/read.out"; check "full memory: 32768 bytes reported" $?
python3 "$here/expected_export.py" "$work/memory.bin" "$work/info.json" "$work/expected.txt"
cmp "$work/export.txt" "$work/expected.txt"; check "full memory byte for byte" $?

# CSV, JSON and the summary for one and two channels, odd counts (a partial last slot, an odd
# byte) and an interval from each end of its table and one beyond it, checked against readings
# worked out independently; the CSV is read with Python's csv module, as a spreadsheet would.
for setup in "1 1031 0" "2 1030 16" "2 1028 17"; do
  read -r channels bytes interval <<<"$setup"
  # The write pointer accounts for every byte, so the information needs no recount.
  start_emu --channels "$channels" --write-pointer $((0x20 + bytes)) --interval "$interval"
  name="formats, $channels channel(s), $bytes bytes, interval $interval"
  "$cli" info --port "$work/port" --json >"$work/info.json"
  # A local start in a zone with daylight saving: the 1 s interval crosses the spring change.
  TZ=Europe/Warsaw "$cli" read --port "$work/port" -o "$work/out.csv" --format csv \
    --started-at 2026-03-29T01:59:30 >/dev/null 2>"$work/csv.err"
  check "$name: csv" $?
  TZ=Europe/Warsaw "$cli" read --port "$work/port" -o "$work/out-pl.csv" --format csv \
    --csv-dialect excel-pl --started-at 2026-03-29T01:59:30 >/dev/null 2>&1
  check "$name: csv, excel-pl" $?
  "$cli" read --port "$work/port" -o "$work/out.json" --format json >/dev/null 2>&1
  check "$name: json" $?
  valid_json "$work/out.json"; check "$name: json as its schema says" $?
  "$cli" read --port "$work/port" --summary >"$work/summary.txt" 2>"$work/summary.err"
  check "$name: --summary" $?
  TZ=Europe/Warsaw python3 "$here/check_formats.py" "$work/memory.bin" "$work/info.json" \
    "$work/out.csv" "$work/out.json" "$work/summary.txt" 2026-03-29T01:59:30 "$work/out-pl.csv"
  check "$name: contents" $?
  # The summary after a read, on stderr, is the one --summary prints alone.
  grep -v -e '^Pobrano' -e 'próbek$' -e 'bajtów)$' -e 'kept in the archive' "$work/csv.err" |
    cmp -s - "$work/summary.txt"
  check "$name: summary after the read" $?
  [ ! -s "$work/summary.err" ] || grep -q "Pobrano" "$work/summary.err"
  check "$name: --summary keeps stdout for the summary" $?
done
"$cli" read --port "$work/port" -o "$work/default.txt" >/dev/null 2>&1
"$cli" read --port "$work/port" -o "$work/text.txt" --format text >/dev/null 2>&1
cmp -s "$work/default.txt" "$work/text.txt"; check "--format text is the default export" $?
for bad in "--format xml" "--started-at 2026-02-29T08:00:00 --format csv" \
           "--started-at 2026-12-01T08:00:00" "--summary -o $work/x.txt" \
           "--summary --format csv" "--csv-dialect excel-pl -o $work/x.txt" \
           "--format csv --csv-dialect excel -o $work/x.csv" ""; do
  # shellcheck disable=SC2086  # the options are words on purpose
  "$cli" read --port "$work/port" $bad >/dev/null 2>&1
  [ $? = 2 ]; check "usage error: read ${bad:-without --output}" $?
done

# Each failure: its message on stderr, its exit code, and an earlier file left untouched.
expect_failure() {  # name, exit code, message, command...
  local name=$1 code=$2 message=$3; shift 3
  "$@" >"$work/out" 2>"$work/err"; rc=$?
  [ "$rc" = "$code" ] && grep -qF "$message" "$work/err"
  check "$name (exit $rc)" $?
}
expect_failure "port cannot be opened" 3 "Port niedostępny lub używany przez inną aplikację." \
  "$cli" info --port "$work/missing"
for fault in "silent-greeting:5:Rejestrator nie odpowiada." \
             "wrong-greeting:6:Nie można nawiązać połączenia." \
             "short-info:5:Rejestrator nie odpowiada." \
             "corrupt-info:7:Błąd sumy kontrolnej podczas odbioru INFO_TAB."; do
  IFS=: read -r name code message <<<"$fault"
  start_emu --fault "$name"
  expect_failure "$name" "$code" "$message" "$cli" info --port "$work/port"
done
for fault in bad-check=2 stall=1 silent-closing-ping; do
  start_emu --fault "$fault"
  echo "earlier export" >"$work/keep.txt"
  expect_failure "$fault" 8 "Odebranie danych nie powiodło się!" \
    "$cli" read --port "$work/port" --output "$work/keep.txt"
  [ "$(cat "$work/keep.txt")" = "earlier export" ]; check "$fault leaves the file untouched" $?
done
start_emu
expect_failure "unwritable file" 9 "Nie można zapisać danych," \
  "$cli" read --port "$work/port" --output "$work/no/such/folder/x.txt"

# The emulator's own contract, by a host that speaks the frames itself. Each step prints one
# line: info (the table in hex); erase D (the table read, with interval 9, status 1 and the
# write pointer at the memory start, sealed, D added to its check byte, written and pinged:
# "HEX ready" or "HEX silent"); cut N (the write frame and N table bytes, then 3 s of nothing);
# stop (the stop frame).
talk() {
  python3 - "$work/port" "$@" <<'PY'
import os, select, sys, time, tty
fd = os.open(sys.argv[1], os.O_RDWR | os.O_NOCTTY)
tty.setraw(fd)
def read(n, timeout):
    data, end = b"", time.time() + timeout
    while len(data) < n and select.select([fd], [], [], max(0, end - time.time()))[0]:
        data += os.read(fd, n - len(data))
    return data
def frame(code):
    head = [0xA1, code, code * 4]
    os.write(fd, bytes(head + [-sum(head) & 0xFF]))
os.write(fd, b"X"); time.sleep(0.05); os.write(fd, b"LKMR482")
assert read(6, 0.6) == b"TWD915", "no greeting reply"
steps = sys.argv[2:]
while steps:
    step = steps.pop(0)
    if step == "info":
        frame(2); print(read(26, 2.6).hex().upper())
    elif step == "erase":
        frame(2); tab = bytearray(read(26, 2.6))
        tab[14:16], tab[16], tab[22] = bytes([tab[24], 0]), 9, 1
        tab[25] = (sum(tab[:25]) + int(steps.pop(0))) & 0xFF
        frame(3); os.write(fd, tab); time.sleep(0.05); frame(1)
        print(tab.hex().upper(), "ready" if read(1, 0.1) == b"#" else "silent")
    elif step == "cut":
        frame(3); os.write(fd, bytes([1]) * int(steps.pop(0))); time.sleep(3)
    elif step == "stop":
        os.write(fd, bytes(4))
PY
}
start_emu --save-table "$work/table.txt"
before=$(cat "$work/table.txt")
talk info erase 1 stop >"$work/talk.out"
[ "$(sed -n 1p "$work/talk.out")" = "$before" ]; check "save-table: the table at start" $?
sed -n 2p "$work/talk.out" | grep -q " silent$" && [ "$(cat "$work/table.txt")" = "$before" ]
check "a table with a wrong check byte: not stored, no ready" $?
talk cut 5 stop
talk info erase 0 info stop >"$work/talk.out"
[ "$(sed -n 1p "$work/talk.out")" = "$before" ]
check "a write cut short: nothing stored, the stop frame ended the link" $?
written=$(sed -n 2p "$work/talk.out")
[ "$written" = "$(cat "$work/table.txt") ready" ] && [ "${written% *}" != "$before" ]
check "save-table: the stored write" $?
[ "$(sed -n 3p "$work/talk.out")" = "${written% *}" ]; check "the table read back as written" $?
"$cli" read --port "$work/port" -o "$work/export.txt" >"$work/read.out"
grep -q "(0 bajtów)" "$work/read.out"
check "pointer at the memory start erased the memory" $?

# unplug=1: the download dies with the line, the link goes, and 2 s later a fresh terminal
# serves a logger that answers and downloads whole.
start_emu --fault unplug=1
"$cli" read --port "$work/port" -o "$work/export.txt" >/dev/null 2>&1
[ $? = 8 ] && [ ! -L "$work/port" ]; check "unplug: download fails, link gone" $?
for _ in $(seq 100); do [ -L "$work/port" ] && break; sleep 0.05; done
"$cli" read --port "$work/port" -o "$work/export.txt" >/dev/null
check "unplug: plugged back in, download whole" $?

# On exit the link goes only while it is still the emulator's own.
stop_emu() { kill "$emu_pid"; wait "$emu_pid"; emu_pid=""; }
start_emu; stop_emu
[ ! -L "$work/port" ]; check "exit removes its own link" $?
start_emu; ln -sfn /dev/null "$work/port"; stop_emu
[ "$(readlink "$work/port")" = /dev/null ]; check "exit leaves a link someone replaced" $?

# A memory file larger than a memory, even an endless one, is refused before serving.
timeout 10 "$emu" --link "$work/refused" --memory-file /dev/zero 2>"$work/err"
[ $? = 1 ] && grep -q "more than 65536 bytes" "$work/err" && [ ! -L "$work/refused" ]
check "memory file past 65536 bytes refused" $?

# config: a round trip through info, the dry run, the refusals before anything is sent, the
# questions answered by options, and a logger that is silent after the write.
host_bytes() { awk '$2 == "H" { printf " %s", $3 }' "$work/transcript.txt"; }
writes() { host_bytes | grep -o ' A1 03 0C 50' | wc -l; }
json_has() { grep -qF "$1" "$work/info.json"; }
start_emu --channels 1 --id "Chłodnia 3" --transcript "$work/transcript.txt"
"$cli" config --port "$work/port" --keep --interval "10 s" --dry-run >"$work/out"; rc=$?
check "config --dry-run" $rc
grep -q "^43 68 B3 6F" "$work/out" && grep -q "Pomiar co: *10 s (3)" "$work/out"
check "dry run prints the table as hex and decoded" $?
# The same steps as the write up to the send: the ready check, then no table.
[ "$(writes)" = 0 ] && [[ "$(host_bytes)" == *" A1 01 04 5A"* ]]
check "dry run checks the logger is ready and writes nothing" $?
"$cli" config --port "$work/port" --keep --interval "10 s" --duration "przez 10 min" \
  --id "Mroźnia ż" --signal on >"$work/out"; rc=$?
[ "$rc" = 0 ] && grep -q "KONFIGURACJA ZOSTAŁA ZAPISANA!" "$work/out"; check "config saved" $?
[ "$(writes)" = 1 ]; check "one table written" $?
"$cli" info --port "$work/port" --json >"$work/info.json"
json_has '"logger_id":"Mroźnia ż"' && json_has '"interval_index":3' &&
  json_has '"duration_index":2' && json_has '"start_delay_index":0' &&
  json_has '"signalling":true' && json_has '"status_code":1' && json_has '"write_pointer":288'
check "info shows the new configuration, the rest kept" $?
lines=$(wc -l <"$work/transcript.txt")
expect_failure "--id with a character Windows-1250 lacks" 2 '"ñ" has no Windows-1250 byte' \
  "$cli" config --port "$work/port" --keep --id "Señor"
expect_failure "--id of 14 bytes" 2 "at most 13" \
  "$cli" config --port "$work/port" --keep --id "Zażółć gęślą j"
expect_failure "--interval not in the list" 2 '"7 s" is neither an index' \
  "$cli" config --port "$work/port" --keep --interval "7 s"
[ "$(wc -l <"$work/transcript.txt")" = "$lines" ]; check "refused options send nothing" $?
expect_failure "mode change without --allow-mode-change" 10 "the channel mode would change" \
  "$cli" config --port "$work/port" --keep --channels ab
[ "$(writes)" = 1 ]; check "a refused mode change writes nothing" $?
"$cli" config --port "$work/port" --keep --channels ab --allow-mode-change >"$work/out"
check "mode change allowed" $?
"$cli" info --port "$work/port" --json >"$work/info.json"
json_has '"channel_mode":2' && json_has '"write_pointer":32'
check "a mode change erases even with --keep" $?

start_emu --write-pointer 0x7FFE --memory-bytes 64
expect_failure "full memory, --when-full stop" 10 "the sample memory is full" \
  "$cli" config --port "$work/port" --keep
"$cli" config --port "$work/port" --keep --when-full erase >"$work/out"; check "--when-full erase" $?
"$cli" info --port "$work/port" --json >"$work/info.json"
json_has '"write_pointer":32'; check "full memory erased" $?
start_emu --fault silent-after-write
expect_failure "no answer after the write" 11 "Rejestrator nie odpowiada." \
  "$cli" config --port "$work/port" --erase
# The adapter pulled out right after the table write's command: the table cannot go out, which
# is the port's failure, not a configuration sent, and the logger keeps its table.
start_emu --save-table "$work/table.txt"
cp "$work/table.txt" "$work/table-before.txt"
expect_failure "a table that cannot be sent" 4 "Błąd podczas wykonywania operacji na porcie." \
  env LD_PRELOAD="$ZV_PULLED_ADAPTER_SHIM" ASAN_OPTIONS=verify_asan_link_order=0 \
  ZV_PULL_AFTER=A1030C50 "$cli" config --port "$work/port" --erase --interval "10 s"
cmp -s "$work/table.txt" "$work/table-before.txt" &&
  ! grep -q "the configuration was sent" "$work/err"
check "a table not sent is neither stored nor reported as sent" $?
# The logger erases its memory when a written table puts the write pointer at the memory start.
start_emu --save-table "$work/table.txt"
"$cli" config --port "$work/port" --erase --dry-run >"$work/out"
"$cli" config --port "$work/port" --erase >/dev/null
grep -qi "^$(sed -n 's/^ *\([0-9A-F]\{2\}\( [0-9A-F]\{2\}\)\{25\}\) *$/\1/p' "$work/out" | tr -d ' ')$" \
  "$work/table.txt"; check "the stored table is the one the dry run showed" $?
"$cli" read --port "$work/port" -o "$work/export.txt" >"$work/read.out"
grep -q "(0 bajtów)" "$work/read.out"; check "config --erase empties the memory" $?

# chart: the SVG from a logger equals the one from its export, and renders as a 594 x 393 image.
# Two channels from an image of readings that cross zero, with 127 and -128 beyond the scale;
# one channel from the synthetic curve.
python3 - "$work/two.bin" <<'PY'
import math, sys
def word(sixteenths):  # as the sensor stores it: two's complement, sign-extended to 16 bits
    return sixteenths & 0xFFFF
out = bytearray()
for k in range(160):
    a = round((20 + 30 * math.sin(k / 9)) * 16)
    b = 127 * 16 if k == 40 else -128 * 16 if k == 41 else round((-40 + k) * 16) if k < 39 else k * 4
    for v in (a, b):
        out += word(v).to_bytes(2, "little")
open(sys.argv[1], "wb").write(out)
PY
svg_size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"; }
for setup in "2:--memory-file $work/two.bin --memory-start 0x20 --write-pointer 0x2A0" \
             "1:--memory-start 0x20 --write-pointer 0x1C0"; do
  channels=${setup%%:*}
  # shellcheck disable=SC2086  # options are words on purpose
  start_emu --channels "$channels" ${setup#*:}
  opts=(--position 10 --fine-rows --fine-columns)
  "$cli" chart --port "$work/port" -o "$work/port.svg" "${opts[@]}" >"$work/out"
  check "chart from the logger, $channels channel(s)" $?
  "$cli" read --port "$work/port" -o "$work/export.txt" >"$work/out"
  "$cli" chart --from-export "$work/export.txt" -o "$work/export.svg" "${opts[@]}"
  check "chart from the export, $channels channel(s)" $?
  cmp -s "$work/port.svg" "$work/export.svg"; check "the same SVG either way, $channels channel(s)" $?
  rsvg-convert "$work/port.svg" -o "$work/chart$channels.png" &&
    [ "$(svg_size "$work/chart$channels.png")" = "594 393" ]
  check "rsvg-convert renders it 594 x 393, $channels channel(s)" $?
  [ -n "${ZV_CHART_PNG_DIR:-}" ] && cp "$work/chart$channels.png" "$ZV_CHART_PNG_DIR/"
done
# Channel choice and position, from the export (two channels) and a one-channel export.
# The lines drawn with each trace's pen, which names the group they stand in.
traces() {
  awk '/^<g class="trace-a"/ { g = "a" } /^<g class="trace-b"/ { g = "b" } /^<\/g>/ { g = "" }
       /^<line/ { if (g == "a") a++; if (g == "b") b++ } END { printf "%d %d", a, b }' "$1"
}
"$cli" chart --from-export "$work/export.txt" -o "$work/b.svg" --channels b 2>"$work/err"
[ "$(traces "$work/b.svg")" = "199 0" ] && grep -q "no channel B" "$work/err"
check "one channel: B alone falls back to A, with a note" $?
"$cli" chart --from-export "$work/export.txt" -o "$work/far.svg" --position 4000000000 \
  2>"$work/err"
[ $? = 2 ] && [ ! -e "$work/far.svg" ] && grep -q "valid: 0\.\." "$work/err"
check "a position past the samples is refused with the valid range" $?
start_emu --channels 2 --memory-file "$work/two.bin" --memory-start 0x20 --write-pointer 0x2A0
"$cli" chart --port "$work/port" -o "$work/b2.svg" --channels b >"$work/out"
[ "$(traces "$work/b2.svg")" = "0 199" ]; check "two channels: B alone" $?
# Failures: an unreadable or foreign export, and a command line naming no source or both.
printf 'not an export\r\n' >"$work/foreign.txt"
expect_failure "chart: not an export" 12 "not an export of this program" \
  "$cli" chart --from-export "$work/foreign.txt" -o "$work/x.svg"
expect_failure "chart: missing export" 12 "cannot be opened" \
  "$cli" chart --from-export "$work/none.txt" -o "$work/x.svg"
expect_failure "chart: no source" 2 "either --port or --from-export" \
  "$cli" chart -o "$work/x.svg"
expect_failure "chart: two sources" 2 "excludes" \
  "$cli" chart --port "$work/port" --from-export "$work/export.txt" -o "$work/x.svg"
expect_failure "chart: unwritable file" 9 "Nie można zapisać danych," \
  "$cli" chart --from-export "$work/export.txt" -o "$work/no/such/folder/x.svg"
[ ! -e "$work/x.svg" ]; check "chart: no file left by a failure" $?

finish "cli"
