#!/usr/bin/env bash
# zorvant-cli end to end against kvar2-emu on a pseudo-terminal: the information as text and
# JSON, the download written byte for byte as the export layout says, and each failure's
# message and exit code; then the emulator's own front end (table writes and --save-table,
# the unplug fault, its link, its memory file). usage: cli_test.sh CLI EMULATOR
set -uo pipefail
cli=$1
emu=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
emu_pid=""
failures=0
cleanup() { [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

start_emu() {  # args for kvar2-emu
  [ -n "$emu_pid" ] && { kill "$emu_pid" 2>/dev/null; wait "$emu_pid" 2>/dev/null; }
  rm -f "$work/port"
  "$emu" --link "$work/port" --unpaced --dump-memory "$work/memory.bin" "$@" >"$work/emu.log" 2>&1 &
  emu_pid=$!
  for _ in $(seq 100); do [ -L "$work/port" ] && return 0; sleep 0.05; done
  echo "emulator did not start: $(cat "$work/emu.log")"; exit 1
}
check() {  # name, condition result
  if [ "$2" = 0 ]; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

# Downloads from one- and two-channel loggers match the layout computed independently.
for channels in 1 2; do
  start_emu --channels "$channels" --id "Chłodnia 3"
  "$cli" info --port "$work/port" --json >"$work/info.json"; rc=$?
  check "info --json, $channels channel(s)" $rc
  grep -q "\"logger_id\": \"Chłodnia 3\"" "$work/info.json"; check "identifier in UTF-8" $?
  grep -q "\"channel_mode\": $channels" "$work/info.json"; check "channel mode $channels" $?
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

[ "$failures" = 0 ] && echo "cli: all checks passed" || echo "cli: $failures check(s) failed"
exit $(( failures > 0 ))
