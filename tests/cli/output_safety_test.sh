#!/usr/bin/env bash
# zorvant-cli's output safety against kvar2-emu on a pseudo-terminal: device text that would
# steer a terminal, closed standard descriptors, a stop signal mid-operation, outputs that are
# devices, FIFOs, symlinks or long names, and standard output that cannot be written.
# usage: output_safety_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--transcript "$work/transcript")
cd "$work" || exit 1
host_bytes() { awk '$2 == "H" { printf "%s ", $3 }' transcript; }
# Waits (up to 3 s) for the host's last bytes to be the stop frame.
ends_with_stop_frame() {
  for _ in $(seq 60); do
    [[ "$(host_bytes)" == *"00 00 00 00 " ]] && return 0
    sleep 0.05
  done
  return 1
}
# No control character in the bytes: C0 except LF, DEL, and the C1 controls in UTF-8.
no_controls() { ! LC_ALL=C grep -qP '[\x00-\x09\x0b-\x1f\x7f]|\xc2[\x80-\x9f]' "$1"; }
leftovers() { find . -maxdepth 2 -name '*.??????'; }

# --- Device text: the identifier clears the screen, sets the title, holds a C1 control (DCS).
id=$'\e[2J\e]0;T\a\u0090\\'
start_emu --unpaced --id "$id"
"$cli" info --port port >info.txt; check "info with controls in the identifier" $?
no_controls info.txt; check "text: no control character reaches the terminal" $?
grep -qF 'Logger_ID          \x1b[2J\x1b]0;T\x07\x90\\' info.txt; check "text: controls shown as \\x.." $?
"$cli" info --port port --json >info.json; check "info --json with controls" $?
no_controls info.json; check "json: no raw control character" $?
python3 -c 'import json,sys; sys.exit(json.load(open("info.json"))["logger_id"] != sys.argv[1])' "$id"
check "json: the identifier decodes to the bytes the logger holds" $?

# --- Closed descriptors: nothing but the protocol reaches the logger (neither the text, nor
# the export, nor the progress bar), and the command still succeeds. The same command with
# every descriptor open gives the reference bytes.
start_emu --unpaced
"$cli" info --port port >/dev/null 2>&1
info_reference=$(host_bytes)
start_emu --unpaced
"$cli" read --port port -o reference.txt >/dev/null 2>&1
read_reference=$(host_bytes)
# A command whose product would go to a closed standard output refuses before it connects.
closed=(  # command line | the export it must have written | exit code
  "info --port port >&-||9"
  "info --port port <&- >&- 2>&-||9"
  "read --port port -o export.txt >&-|export.txt|0"
  "read --port port -o - >&- 2>/dev/null||9"
  "read --port port -o - >export.txt 2>&-|export.txt|0"
  "read --port port -o export.txt <&- >&- 2>&-|export.txt|0"
  "ports >&-||9"
  "ports --json >&- 2>/dev/null||9"
)
for row in "${closed[@]}"; do
  IFS='|' read -r line written code <<<"$row"
  rm -f export.txt
  start_emu --unpaced
  eval "\"\$cli\" $line"; rc=$?
  reference=$info_reference
  [[ "$line" == read* ]] && reference=$read_reference
  [ "$code" = 9 ] && reference=""
  [ "$rc" = "$code" ] && [ "$(host_bytes)" = "$reference" ] &&
    { [ -z "$written" ] || cmp -s "$written" reference.txt; }
  check "$line: exit $rc, only the protocol on the line" $?
done

# --- Stop signals: the stop frame goes out, the port is free again, no file is left.
# read is interrupted mid-download (a paced full memory takes 35 s); info in its greeting.
# A script's background command inherits SIGINT ignored; `env` gives it back its default.
for row in "INT:130:read" "TERM:143:read" "INT:130:info" "TERM:143:info"; do
  IFS=: read -r signal code command <<<"$row"
  start_emu --memory-start 0 --memory-bytes 32768 --write-pointer 0
  echo "earlier export" >kept.txt
  if [ "$command" = read ]; then
    env --default-signal=INT "$cli" read --port port -o kept.txt >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do [ "$(grep -c ' L ' transcript)" -gt 300 ] && break; sleep 0.05; done
  else
    env --default-signal=INT "$cli" info --port port >/dev/null 2>&1 &
    pid=$!
    sleep 1
  fi
  kill -"$signal" "$pid"; wait "$pid"; rc=$?
  [ "$rc" = "$code" ]; check "$command, SIG$signal: exit $rc" $?
  ends_with_stop_frame; check "$command, SIG$signal: the stop frame is the host's last" $?
  [ "$(cat kept.txt)" = "earlier export" ] && [ -z "$(leftovers)" ]
  check "$command, SIG$signal: the earlier file stays, no temporary file" $?
  "$cli" info --port port >/dev/null 2>&1; check "$command, SIG$signal: the next info connects" $?
done
# A download killed inside an endless stream sends no stop frame; its port closing ends the
# stream all the same, as a real line's falling RTS would.
start_emu --fault no-end-marker
"$cli" read --port port -o - >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do [ "$(grep -c ' L ' transcript)" -gt 300 ] && break; sleep 0.05; done
kill -KILL "$pid"; wait "$pid" 2>/dev/null
"$cli" info --port port >/dev/null 2>&1; check "read killed in an endless stream: the next info connects" $?

# --- Outputs that are not a plain new file. Each row: name, the --output path, a set-up, and
# a check afterwards. A program that renamed over a device would replace it, so where the
# test may (as root) it works on device nodes of its own.
null=/dev/null
full=/dev/full
mknod null c 1 3 2>/dev/null && null=$work/null
mknod full c 1 7 2>/dev/null && full=$work/full
start_emu --unpaced
mkdir -p folder
long=$(printf 'a%.0s' $(seq 250)).txt
wide=$(printf 'ł%.0s' $(seq 127))
# Paths near the longest a path may be (4,095 bytes): folders of 199 bytes and a slash each.
folders() { local path="" i; for i in $(seq "$1"); do path+=$(printf 'd%.0s' $(seq 199))/; done; echo "$path"; }
deep=$(folders 20)$(printf 'e%.0s' $(seq 86)).txt  # 4,000 + 90 bytes
mkdir -p "$(folders 20)"
outputs=(
  "device|$null|:|[ -c $null ]"
  "FIFO|fifo|mkfifo fifo; timeout 10 cat fifo >from_fifo & sleep 0.1|wait \$!; [ -p fifo ] && cmp -s from_fifo reference.txt"
  "symlink|link|echo old >folder/real; chmod 640 folder/real; ln -s folder/real link|[ -L link ] && cmp -s folder/real reference.txt && [ \"\$(stat -c %a folder/real)\" = 640 ]"
  "chained symlink|folder/link2|ln -sf ../link folder/link2|[ -L folder/link2 ] && cmp -s folder/real reference.txt"
  "symlink to a device|tonull|ln -s $null tonull|[ -L tonull ] && [ -c $null ]"
  "existing file keeps its mode|plain.txt|echo old >plain.txt; chmod 604 plain.txt|[ \"\$(stat -c %a plain.txt)\" = 604 ] && cmp -s plain.txt reference.txt"
  "254-character name|$long|:|cmp -s $long reference.txt"
  "254-byte UTF-8 name|folder/$wide|:|cmp -s folder/$wide reference.txt"
  "4,090-byte path|$deep|:|cmp -s $deep reference.txt && [ -z \"\$(find d* -name '*.??????')\" ]"
)
for row in "${outputs[@]}"; do
  IFS='|' read -r name path setup after <<<"$row"
  eval "$setup"
  "$cli" read --port port -o "$path" >/dev/null 2>err.txt; rc=$?
  [ "$rc" = 0 ] && eval "$after" && [ -z "$(leftovers)" ]
  check "output: $name" $?
done

# --- A missing folder fails before a byte goes to the logger.
start_emu --unpaced
"$cli" read --port port -o no/such/folder/x.txt >/dev/null 2>&1; rc=$?
[ "$rc" = 9 ] && [ -z "$(host_bytes)" ]; check "missing folder: exit 9 before the link opens" $?
# A folder of 4,088 bytes leaves no room for a temporary name beside its file: said so.
crowded=$(folders 20)$(printf 'f%.0s' $(seq 88))
mkdir -p "$crowded"
"$cli" read --port port -o "$crowded/x.txt" >/dev/null 2>err.txt; rc=$?
[ "$rc" = 9 ] && grep -q "too long for a safe replace" err.txt && [ -z "$(host_bytes)" ]
check "4,094-byte path in a 4,088-byte folder: exit $rc, says why" $?

# --- Standard output that cannot be written: a full disk, a closed pipe.
start_emu --unpaced
"$cli" info --port port >"$full" 2>err.txt; rc=$?
[ "$rc" = 9 ] && grep -q "standard output" err.txt; check "info > /dev/full: exit $rc" $?
"$cli" read --port port -o - >"$full" 2>err.txt; rc=$?
[ "$rc" = 9 ]; check "read -o - > /dev/full: exit $rc" $?
"$cli" read --port port -o "$full" >/dev/null 2>err.txt; rc=$?
[ "$rc" = 9 ] && [ -c "$full" ]; check "read -o /dev/full: exit $rc" $?
"$cli" info --port port 2>err.txt | true; rc=${PIPESTATUS[0]}
[ "$rc" = 9 ]; check "info into a closed pipe: exit $rc, not killed by SIGPIPE" $?
"$cli" ports --json >"$full" 2>err.txt; rc=$?
[ "$rc" = 9 ]; check "ports --json > /dev/full: exit $rc" $?
"$cli" config --port port --keep --id NOWY >"$full" 2>err.txt; rc=$?
[ "$rc" = 9 ] && grep -q "the logger stored the configuration" err.txt
check "config > /dev/full: exit $rc, and says the configuration was stored" $?

finish "output safety"
