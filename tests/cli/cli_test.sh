#!/usr/bin/env bash
# zorvant-cli end to end against kvar2-emu on a pseudo-terminal: the information as text and
# JSON, the download written byte for byte as the export layout says, and each failure's
# message and exit code. usage: cli_test.sh CLI EMULATOR
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

# CSV, JSON and the summary for one and two channels, odd counts (a partial last slot, an odd
# byte) and an interval from each end of its table and one beyond it, checked against readings
# worked out independently; the CSV is read with Python's csv module, as a spreadsheet would.
for setup in "1 1031 0" "2 1030 16" "2 1028 17"; do
  read -r channels bytes interval <<<"$setup"
  # The write pointer accounts for every byte, so the information needs no recount.
  start_emu --channels "$channels" --write-pointer $((0x20 + bytes)) --interval "$interval"
  name="formats, $channels channel(s), $bytes bytes, interval $interval"
  "$cli" info --port "$work/port" --json >"$work/info.json"
  "$cli" read --port "$work/port" -o "$work/out.csv" --format csv \
    --started-at 2026-12-31T23:30:00 >/dev/null 2>"$work/csv.err"
  check "$name: csv" $?
  "$cli" read --port "$work/port" -o "$work/out.json" --format json >/dev/null 2>&1
  check "$name: json" $?
  "$cli" read --port "$work/port" --summary >"$work/summary.txt" 2>"$work/summary.err"
  check "$name: --summary" $?
  python3 "$here/check_formats.py" "$work/memory.bin" "$work/info.json" "$work/out.csv" \
    "$work/out.json" "$work/summary.txt" 2026-12-31T23:30:00
  check "$name: contents" $?
  # The summary after a read, on stderr, is the one --summary prints alone.
  grep -v -e '^Pobrano' -e 'próbek$' -e 'bajtów)$' "$work/csv.err" | cmp -s - "$work/summary.txt"
  check "$name: summary after the read" $?
  [ ! -s "$work/summary.err" ] || grep -q "Pobrano" "$work/summary.err"
  check "$name: --summary keeps stdout for the summary" $?
done
"$cli" read --port "$work/port" -o "$work/default.txt" >/dev/null 2>&1
"$cli" read --port "$work/port" -o "$work/text.txt" --format text >/dev/null 2>&1
cmp -s "$work/default.txt" "$work/text.txt"; check "--format text is the default export" $?
for bad in "--format xml" "--started-at 2026-02-29T08:00:00 --format csv" \
           "--started-at 2026-12-01T08:00:00" "--summary -o $work/x.txt" \
           "--summary --format csv" ""; do
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

[ "$failures" = 0 ] && echo "cli: all checks passed" || echo "cli: $failures check(s) failed"
exit $(( failures > 0 ))
