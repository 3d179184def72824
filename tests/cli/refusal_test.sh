#!/usr/bin/env bash
# zorvant-cli's refusals and its ends under a stop request, one table against kvar2-emu: each
# row sets up a logger, runs one command (under `timeout -s TERM 3`, so a command that runs away
# is stopped and fails its row), and checks the exit code, the message, how long it took, how
# much it printed, and what the logger saw.
# usage: refusal_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--unpaced --transcript "$work/transcript")
cd "$work" || exit 1
host_bytes() { awk '$2 == "H" { printf "%s ", $3 }' transcript 2>/dev/null; }

# An identifier with a line end inside (programmed elsewhere) and a file of exactly 256 KiB.
printf 'x%.0s' $(seq 262144) >big.txt
crlf_id=$'A\r\nB'
full="--memory-start 0 --memory-end 0 --write-pointer 0"

# name | logger | command (P is the port) | exit | message on stderr | the logger saw:
#   stop = ends with the stop frame and no table was written; none = nothing at all; - = no check
rows=(
  "full memory that erasing cannot empty|$full|config --port P --when-full erase --keep|10|erasing cannot make room: the memory start 0x00 is not below the memory end 0x0000|stop"
  "the same, dry run|$full|config --port P --when-full erase --keep --dry-run|10|erasing cannot make room|stop"
  "the same after --erase|$full|config --port P --when-full erase --erase|10|erasing cannot make room|stop"
  "dry run against a logger that is not ready|--fault not-ready|config --port P --keep --dry-run|5|Rejestrator nie odpowiada.|stop"
  "info --json with standard output closed|-|info --port P --json >&-|9|standard output is closed|none"
  "read -o - with standard output closed|-|read --port P -o - >&-|9|standard output is closed|none"
  "chart -o - with standard output closed|-|chart --port P -o - >&-|9|standard output is closed|none"
  "config --dry-run with standard output closed|-|config --port P --keep --dry-run >&-|9|standard output is closed|none"
  "chart --position past the samples|-|chart --port P -o c.svg --position 128|2|valid: 0..127|-"
  "chart --position far past the samples|-|chart --port P -o c.svg --position 4294967290|2|valid: 0..127|-"
  "an export of exactly 256 KiB|-|chart --from-export big.txt -o c.svg|12|too large|-"
  "config --id with a C1 control|-|config --port P --keep --id \$'A\\u0090B'|2|control character|none"
)
for row in "${rows[@]}"; do
  IFS='|' read -r name logger command code message seen <<<"$row"
  [ "$logger" = - ] && logger=""
  # shellcheck disable=SC2086  # the options are words on purpose
  start_emu $logger
  started=$(date +%s%N)
  eval "timeout -s TERM 3 \"$cli\" ${command//P/port}" >out.txt 2>err.txt
  rc=$?
  elapsed_ms=$((($(date +%s%N) - started) / 1000000))
  [ "$rc" = "$code" ]; check "$name: exit $rc" $?
  grep -qF -- "$message" err.txt; check "$name: says '$message'" $?
  [ "$elapsed_ms" -lt 4000 ] && [ "$(wc -l <out.txt)" -lt 20 ]
  check "$name: ends in ${elapsed_ms} ms with $(wc -l <out.txt) lines of output" $?
  case $seen in
    stop) [[ "$(host_bytes)" == *"00 00 00 00 " && "$(host_bytes)" != *"A1 03 0C 50"* ]] ;;
    none) [ -z "$(host_bytes)" ] ;;
    *) true ;;
  esac
  check "$name: the logger saw $seen" $?
done

# Every export the program writes reads back: an identifier holding CR LF is written with '_'.
start_emu --id "$crlf_id"
"$cli" read --port port -o crlf.txt >/dev/null 2>&1; check "export of an identifier with CR LF" $?
grep -qa $'^Logger_ID    \t\tA__B\r$' crlf.txt; check "the line end is written as '_'" $?
"$cli" chart --from-export crlf.txt -o crlf.svg >/dev/null 2>&1
check "chart --from-export reads that export back" $?

finish "refusals"
