#!/usr/bin/env bash
# zorvant-cli.exe under Wine against kvar2-emu on COM1: it lists the prefix's ports and takes
# COM1 by its device name too, refusing what is no COM port; it reads the logger; Polish text
# in its arguments (a file name, an identifier) arrives whole, not best-fitted to the system's
# code page; the chart and the report come out as PNG and PDF where the .exe has cairo, in
# DejaVu Sans and with the Linux report's text (from an export and from the logger); and Ctrl+C
# in the middle of a download ends it as a failure does (stop frame last on the wire, no file,
# 130).
#
# The download is kept in the archive at %LOCALAPPDATA%\Zorvant2, which verifies under Wine
# and, the same file, with the Linux CLI; an archive at a Polish path works as well.
#
#   windows_cli_test.sh PREFIX_ROOT CLI_EXE EMULATOR SHIM WORK cairo|svg-only [LINUX_CLI]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib.sh
. "$here/lib.sh"

prefix_root=$1 cli=$(readlink -f "$2") emulator=$(readlink -f "$3") shim=$(readlink -f "$4")
work="$5/windows_cli" pictures=$6 linux_cli=${7:-}
[ -d "$prefix_root/prefix" ] || { echo "no Wine prefix in $prefix_root (fixture)" >&2; exit 2; }
rm -rf "$work"
mkdir -p "$work"
trap zv_cleanup EXIT
trap 'exit 143' TERM INT
zv_use_prefix "$prefix_root"
# Wine names Linux files in the locale's encoding: UTF-8 carries any file name.
export LC_ALL=C.UTF-8
zv_clear_ports
wineserver -p3 >/dev/null 2>&1

failures=0
fail() { failures=$((failures + 1)); zv_say "FAIL: $*"; }

# The host's bytes in the transcript, as one hex string.
host_hex() { awk '$2 == "H" { printf "%s", $3 }' "$1"; }

# Starts the CLI under Wine in the background; its output goes to OUT.
start_cli() {
  local out=$1
  shift
  LD_PRELOAD="$shim" ZV_MODEM_LOG="$work/modem.log" wine "$cli" "$@" >"$out" 2>&1 &
  cli_pid=$!
}

# Waits up to SECONDS for the CLI (in this shell, which alone can wait for it); sets code to
# its exit code, or "running".
wait_cli() {
  local seconds=$1
  code=running
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$cli_pid" 2>/dev/null; then
      code=0
      wait "$cli_pid" || code=$?
      return
    fi
    sleep 0.1
  done
}

# info: the identifier and the stop frame.
zv_start_emulator "$emulator" "$work/info-transcript.txt" "$work/info-emulator.log" \
  --channels 2 --id WIN-CLI || exit 1
start_cli "$work/info.out" info --port COM1
wait_cli 30
[ "$code" = 0 ] || fail "info ended with $code: $(tr -d '\r' <"$work/info.out")"
grep -q 'WIN-CLI' "$work/info.out" || fail "info did not show the identifier"
[[ "$(host_hex "$work/info-transcript.txt")" == *00000000 ]] || fail "info: no stop frame last"

# The prefix's port map holds COM1-COM4, all of the built-in driver: none is an adapter.
start_cli "$work/ports.out" ports
wait_cli 30
[ "$code" = 0 ] || fail "ports ended with $code"
[ "$(tr -d '\r' <"$work/ports.out" | cut -d' ' -f1 | tr '\n' ' ')" = "COM1 COM2 COM3 COM4 " ] ||
  fail "ports listed: $(tr -d '\r' <"$work/ports.out")"
grep -q '^COM2  built-in serial port (\\Device\\Serial1)' "$work/ports.out" ||
  fail "ports: COM2 without its device: $(tr -d '\r' <"$work/ports.out")"
start_cli "$work/device-name.out" info --port '\\.\COM1'
wait_cli 30
[ "$code" = 0 ] && grep -q 'WIN-CLI' "$work/device-name.out" || fail "info on \\.\COM1 ended with $code"
start_cli "$work/missing.out" info --port COM9
wait_cli 30
[ "$code" = 3 ] && grep -qF '\\.\COM9: no such port' "$work/missing.out" ||
  fail "info on COM9, which the prefix lacks, ended with $code: $(tr -d '\r' <"$work/missing.out")"
for refused in COM256 COM0 LPT1 auto; do
  start_cli "$work/refused.out" info --port "$refused"
  wait_cli 30
  [ "$code" = 2 ] || fail "--port $refused ended with $code, not 2"
done

# Polish letters in the arguments: the file gets its name, the identifier its Windows-1250
# bytes ("Ch" 0xB3 "o" for "Chło"), where the ANSI code page would have made "Chlo" of them.
start_cli "$work/polish-read.out" read --port COM1 --output 'C:\zażółć.txt'
wait_cli 60
[ "$code" = 0 ] || fail "read to zażółć.txt ended with $code: $(tr -d '\r' <"$work/polish-read.out")"
[ -s "$WINEPREFIX/drive_c/zażółć.txt" ] || fail "no zażółć.txt: $(ls "$WINEPREFIX/drive_c")"
# That download is in the archive's default place, which verifies here and on Linux.
kept=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Zorvant2/archive.sqlite' | head -1)
if [ -z "$kept" ]; then
  fail "the read kept nothing in %LOCALAPPDATA%\Zorvant2: $(tr -d '\r' <"$work/polish-read.out")"
else
  start_cli "$work/verify.out" archive verify
  wait_cli 30
  [ "$code" = 0 ] || fail "archive verify under Wine ended with $code: $(tr -d '\r' <"$work/verify.out")"
  if [ -n "$linux_cli" ]; then
    "$linux_cli" archive verify --archive "$kept" >"$work/linux-verify.out" 2>&1 ||
      fail "the Windows archive does not verify on Linux: $(cat "$work/linux-verify.out")"
  fi
fi
start_cli "$work/polish-archive.out" info --port COM1 --archive 'C:\archiwum źródłowe.sqlite'
wait_cli 30
[ "$code" = 0 ] && [ -s "$WINEPREFIX/drive_c/archiwum źródłowe.sqlite" ] ||
  fail "info with an archive at a Polish path ended with $code: $(tr -d '\r' <"$work/polish-archive.out")"
rm -f "$WINEPREFIX/drive_c/archiwum"*
if [ "$pictures" = cairo ]; then
  start_cli "$work/port-report.out" report --port COM1 -o 'C:\raport z portu.pdf'
  wait_cli 60
  [ "$code" = 0 ] && pdffonts "$WINEPREFIX/drive_c/raport z portu.pdf" | grep -q 'DejaVuSans .*yes' ||
    fail "report --port COM1 -o raport.pdf ended with $code: $(tr -d '\r' <"$work/port-report.out")"
  rm -f "$WINEPREFIX/drive_c/raport z portu.pdf"
fi
if [ "$pictures" = cairo ]; then
  # The export just read, drawn by the cairo linked into the .exe: files that are what their
  # names say, and a chart that is more than a blank page.
  for run in "chart.png chart" "chart.pdf chart" "raport.pdf report"; do
    read -r out command <<<"$run"
    start_cli "$work/$out.out" "$command" --from-export 'C:\zażółć.txt' -o "C:\\$out"
    wait_cli 60
    [ "$code" = 0 ] || fail "$command -o $out ended with $code: $(tr -d '\r' <"$work/$out.out")"
  done
  [ "$(head -c 8 "$WINEPREFIX/drive_c/chart.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] &&
    [ "$(identify -format %k "$WINEPREFIX/drive_c/chart.png")" -gt 2 ] ||
    fail "chart.png is no PNG of a chart"
  for pdf in chart.pdf raport.pdf; do
    [ "$(head -c 5 "$WINEPREFIX/drive_c/$pdf")" = %PDF- ] || fail "$pdf is no PDF"
  done
  # The same page as on Linux: DejaVu embedded, and the Linux report of the same export gives
  # the same text but for the file's name and the moment each was made.
  pdffonts "$WINEPREFIX/drive_c/raport.pdf" | grep -q 'DejaVuSans-Bold .*yes' ||
    fail "raport.pdf embeds no DejaVu Sans Bold: $(pdffonts "$WINEPREFIX/drive_c/raport.pdf")"
  if [ -n "$linux_cli" ]; then
    # The same archive on both sides, so both footers name the same kept recording.
    "$linux_cli" report ${kept:+--archive "$kept"} --from-export "$WINEPREFIX/drive_c/zażółć.txt" \
      -o "$work/linux.pdf" >/dev/null 2>&1
    page_text() { pdftotext -layout "$1" - | tr -s ' ' | grep -v -e 'zażółć' -e '[0-9]\{4\}-[0-9][0-9]-[0-9][0-9] [0-9:]\{8\}'; }
    diff <(page_text "$WINEPREFIX/drive_c/raport.pdf") <(page_text "$work/linux.pdf") \
      >"$work/pages.diff" || fail "the Windows report differs from the Linux one: $(cat "$work/pages.diff")"
  fi
  rm -f "$WINEPREFIX/drive_c/"{chart.png,chart.pdf,raport.pdf}
else
  # Without cairo: a usage error that says so, no file.
  start_cli "$work/png.out" chart --from-export 'C:\zażółć.txt' -o 'C:\chart.png'
  wait_cli 30
  { [ "$code" = 2 ] && grep -q 'need a build of zorvant-cli with cairo' "$work/png.out" &&
    [ ! -e "$WINEPREFIX/drive_c/chart.png" ]; } ||
    fail "chart -o chart.png ended with $code: $(tr -d '\r' <"$work/png.out")"
fi
rm -f "$WINEPREFIX/drive_c/"za*.txt
start_cli "$work/polish-config.out" config --port COM1 --keep --id 'Chłodnia 3' --dry-run
wait_cli 30
[ "$code" = 0 ] || fail "config --dry-run ended with $code"
grep -q '^43 68 B3 6F 64 6E 69 61 20 33 00' "$work/polish-config.out" ||
  fail "the identifier's bytes are not Chłodnia 3's: $(grep -m1 '^43 ' "$work/polish-config.out")"
zv_stop_emulator

# Ctrl+C once the download runs (Wine turns SIGINT into the console's Ctrl+C event).
transcript="$work/read-transcript.txt"
zv_start_emulator "$emulator" "$transcript" "$work/read-emulator.log" \
  --channels 1 --write-pointer 0x8000 --memory-start 0 || exit 1
start_cli "$work/read.out" read --port COM1 --output 'C:\samples.txt'
for _ in $(seq 1 300); do
  [ "$(grep -c ' L ' "$transcript" 2>/dev/null)" -gt 400 ] && break
  sleep 0.1
done
kill -INT "$cli_pid" 2>/dev/null
wait_cli 15
[ "$code" = 130 ] || fail "read after Ctrl+C ended with $code: $(tr -d '\r' <"$work/read.out")"
[[ "$(host_hex "$transcript")" == *00000000 ]] || fail "read after Ctrl+C: no stop frame last"
left=$(cd "$WINEPREFIX/drive_c" && ls -A | grep -i sample)
[ -z "$left" ] || fail "read after Ctrl+C left $left"
[ "$code" = running ] && kill -9 "$cli_pid" 2>/dev/null

[ "$failures" = 0 ] && zv_say "windows_cli: passed"
[ "$failures" = 0 ]
