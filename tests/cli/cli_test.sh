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

# chart: the SVG from a logger equals the one from its export, and renders as a 594 x 393 image.
# Two channels from an image of readings that a text export keeps exactly (none between -1
# and 0), with 127 and -128 beyond the scale; one channel from the synthetic curve.
python3 - "$work/two.bin" <<'PY'
import math, sys
def word(sixteenths):  # the logger's layout: top bits follow the integer part's sign
    if sixteenths >= 0:
        return (sixteenths // 16) << 4 | sixteenths % 16
    m = -sixteenths
    return 0xF000 | ((-(m // 16)) & 0xFF) << 4 | (16 - m % 16) % 16
out = bytearray()
for k in range(160):
    a = round((20 + 30 * math.sin(k / 9)) * 16)
    a = 0 if -16 < a < 0 else a
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
traces() { printf '%s %s' "$(grep -c 'class="trace-a"' "$1")" "$(grep -c 'class="trace-b"' "$1")"; }
"$cli" chart --from-export "$work/export.txt" -o "$work/b.svg" --channels b 2>"$work/err"
[ "$(traces "$work/b.svg")" = "199 0" ] && grep -q "no channel B" "$work/err"
check "one channel: B alone falls back to A, with a note" $?
"$cli" chart --from-export "$work/export.txt" -o "$work/far.svg" --position 4000000000
[ "$(traces "$work/far.svg")" = "0 0" ] && grep -q '>4000000100</text>' "$work/far.svg"
check "a position past the samples: labels, no trace" $?
start_emu --channels 2 --memory-file "$work/two.bin" --memory-start 0x20 --write-pointer 0x2A0
"$cli" chart --port "$work/port" -o "$work/b2.svg" --channels b >"$work/out"
[ "$(traces "$work/b2.svg")" = "0 199" ]; check "two channels: B alone" $?
# Failures: an unreadable or foreign export, and a command line naming no source or both.
printf 'not an export\r\n' >"$work/foreign.txt"
expect_failure "chart: not an export" 10 "not an export of this program" \
  "$cli" chart --from-export "$work/foreign.txt" -o "$work/x.svg"
expect_failure "chart: missing export" 10 "cannot be opened" \
  "$cli" chart --from-export "$work/none.txt" -o "$work/x.svg"
expect_failure "chart: no source" 2 "either --port or --from-export" \
  "$cli" chart -o "$work/x.svg"
expect_failure "chart: two sources" 2 "excludes" \
  "$cli" chart --port "$work/port" --from-export "$work/export.txt" -o "$work/x.svg"
expect_failure "chart: unwritable file" 9 "Nie można zapisać danych," \
  "$cli" chart --from-export "$work/export.txt" -o "$work/no/such/folder/x.svg"
[ ! -e "$work/x.svg" ]; check "chart: no file left by a failure" $?

[ "$failures" = 0 ] && echo "cli: all checks passed" || echo "cli: $failures check(s) failed"
exit $(( failures > 0 ))
