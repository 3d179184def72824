#!/usr/bin/env bash
# Runs one end-to-end scenario: the program under Wine, driven by zv-driver.exe, against kvar2-emu
# on COM1; then checks the emulator's transcript, the recorded modem lines and the exit code.
#
#   run_scenario.sh --make-prefix ROOT          create the shared Wine prefix (ctest fixture)
#   run_scenario.sh --remove-prefix ROOT        remove it again
#   run_scenario.sh --prefix ROOT --program EXE --driver EXE --emulator BIN --shim SO
#                   --work DIR --shots DIR [--cli BIN] SCENARIO
#
# A scenario is a driver script; lines starting with "#!" are for this runner:
#   #! emulator: OPTIONS   start kvar2-emu on COM1 with OPTIONS (without it COM1 cannot be opened);
#                          its faults can be switched through %ZV_WORK%\faults.txt (the driver's
#                          `faults` command) and it keeps its table in %ZV_WORK%\table.txt
#   #! port: N OPTIONS     pin COM N (beyond COM4) in the prefix for this scenario and start
#                          kvar2-emu there with OPTIONS; its transcript is transcript-comN.txt
#   #! folder: NAME [read-only|full]
#                          make the folder NAME in the scenario's work folder, which the driver
#                          reaches as %ZV_WORK%\NAME; read-only: nothing can be created in it;
#                          full: a small file system with no room left (exit 77, a skip, where
#                          either cannot be arranged)
#   #! check: NAME         after the program ended, one of:
#        stop-frame-last [COMn]
#                          the last bytes the host sent (on COM1, or COMn) are the stop frame
#        no-host-bytes [COMn]
#                          the host sent nothing at all (on COM1, or COMn)
#        rts-raised        the port set-up raised RTS (recorded by the modem-line shim)
#        export-matches-cli FILE
#                          FILE (in the work folder) is byte for byte what `zorvant-cli read`
#                          writes from an emulator started with the same options (needs --cli)
#        only-files NAME [FILE...]
#                          the folder NAME holds exactly these files (none: it is empty)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib.sh
. "$here/lib.sh"

case "${1:-}" in
  --make-prefix)
    trap zv_cleanup EXIT
    trap 'exit 143' TERM INT
    zv_start_display || exit 1
    zv_make_prefix "$2"
    exit $?
    ;;
  --remove-prefix)
    zv_use_prefix "$2"
    timeout 20 wineserver -k >/dev/null 2>&1
    rm -rf "$ZV_PREFIX_ROOT"
    exit 0
    ;;
esac

while [ $# -gt 1 ]; do
  case "$1" in
    --prefix) prefix_root=$2 ;;
    --program) program=$2 ;;
    --driver) driver=$2 ;;
    --emulator) emulator=$2 ;;
    --shim) shim=$2 ;;
    --work) work_root=$2 ;;
    --shots) shots=$2 ;;
    --cli) cli=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
scenario=$(readlink -f "${1:?scenario file}")
program=$(readlink -f "$program"); driver=$(readlink -f "$driver")
emulator=$(readlink -f "$emulator"); shim=$(readlink -f "$shim")
mkdir -p "$work_root" "$shots"; work_root=$(readlink -f "$work_root"); shots=$(readlink -f "$shots")
name=$(basename "$scenario" .txt)
for f in "$program" "$driver" "$emulator" "$shim" "$scenario"; do
  [ -e "$f" ] || { echo "missing: $f" >&2; exit 2; }
done
[ -d "$prefix_root/prefix" ] || { echo "no Wine prefix in $prefix_root (fixture)" >&2; exit 2; }

work="$work_root/$name"
# A full file system or a read-only folder left by an interrupted run would keep its files.
[ -d "$work" ] && awk -v w="$work/" 'index($2, w) == 1 { print $2 }' /proc/mounts |
  while read -r mounted; do umount "$mounted" 2>/dev/null; done
[ -d "$work" ] && chattr -R -i "$work" 2>/dev/null
[ -d "$work" ] && chmod -R u+w "$work" 2>/dev/null
rm -rf "$work"
mkdir -p "$work"
started=$(date +%s%N)

failures=()
fail() { failures+=("$*"); zv_say "FAIL: $*"; }

directive() { sed -n "s/^#! *$1: *//p" "$scenario"; }

# Makes DIR read-only for whoever runs this, root included (for whom only the immutable
# attribute works); false when neither can be arranged here.
readonly_folders=()
make_read_only() {
  chmod a-w "$1"
  readonly_folders+=("$1")
  if touch "$1/.probe" 2>/dev/null; then
    rm -f "$1/.probe"
    chattr +i "$1" 2>/dev/null || return 1
    if touch "$1/.probe" 2>/dev/null; then rm -f "$1/.probe"; return 1; fi
  fi
  return 0
}
release_folders() {
  local d
  for d in "${readonly_folders[@]}"; do chattr -i "$d" 2>/dev/null; chmod u+w "$d"; done
  for d in "${full_folders[@]}"; do umount "$d" 2>/dev/null; done
}

# Mounts a 64 KiB file system on DIR and fills it, so a file can be created but takes no data;
# false where mounting is not allowed (not root).
full_folders=()
make_full() {
  mount -t tmpfs -o size=64k,mode=0777 zv-full "$1" 2>/dev/null || return 1
  full_folders+=("$1")
  head -c 1M /dev/zero >"$1/filler" 2>/dev/null
  # A little room may be left in a last page: the probe takes it.
  head -c 64k /dev/zero >"$1/.probe" 2>/dev/null
  rm -f "$1/.probe"
  if head -c 4096 /dev/zero >"$1/.probe" 2>/dev/null; then rm -f "$1/.probe"; return 1; fi
  rm -f "$1/.probe"
  return 0
}

trap 'release_folders; zv_unpin_ports "$shim"; zv_cleanup' EXIT
trap 'exit 143' TERM INT
zv_use_prefix "$prefix_root"
zv_start_display || exit 1
zv_clear_ports
: >"$work/transcript.txt"

while read -r folder mode; do
  [ -n "$folder" ] || continue
  mkdir -p "$work/$folder"
  if [ "$mode" = read-only ] && ! make_read_only "$work/$folder"; then
    echo "SKIP $name: cannot make a read-only folder here"
    exit 77
  fi
  if [ "$mode" = full ] && ! make_full "$work/$folder"; then
    echo "SKIP $name: cannot make a full file system here"
    exit 77
  fi
done < <(directive folder)
# The driver names files in the work folder as %ZV_WORK%\...
ZV_WORK=$(zv_winpath "$work")
export ZV_WORK

emu_options=$(directive emulator | head -n 1)
if [ -n "$(directive emulator)" ]; then
  # shellcheck disable=SC2086  # the options are words on purpose
  : >"$work/faults.txt"
  zv_start_emulator "$emulator" "$work/transcript.txt" "$work/emulator.log" \
    --fault-file "$work/faults.txt" --save-table "$work/table.txt" $emu_options || exit 1
fi

# Ports beyond COM4, each with its own emulator.
extra_ports=()
while read -r number options; do
  [ -n "$number" ] || continue
  extra_ports+=("$number")
  # shellcheck disable=SC2086  # the options are words on purpose
  zv_start_emulator_on "$number" "$emulator" "$work/transcript-com$number.txt" \
    "$work/emulator-com$number.log" $options || exit 1
  ZV_PORT_EMU_PIDS+=("$ZV_STARTED_PID")
done < <(directive port)
if [ ${#extra_ports[@]} -gt 0 ]; then zv_pin_ports "$shim" add "${extra_ports[@]}" || exit 1; fi

zv_start_program "$program" "$shim" "$work/modem.log" "$work/program.log"
zv_run_driver "$driver" "$program" "$scenario" "$work/driver.log" 120
driver_code=$?
[ "$driver_code" -eq 0 ] || fail "driver: $(grep -E 'FAILED|BAD SCRIPT' "$work/driver.log" | tail -n 1)"

if [ "$driver_code" -ne 0 ]; then
  zv_screenshot "$shots/$name.png"
fi

# After a failed script the program may sit in a message box: give it little time.
if exit_code=$(zv_wait_program "$([ "$driver_code" -eq 0 ] && echo 20 || echo 2)"); then
  [ "$exit_code" = 0 ] || fail "the program exited with $exit_code"
else
  [ "$driver_code" -eq 0 ] && fail "the program is still running after the scenario"
  [ "$driver_code" -eq 0 ] && zv_screenshot "$shots/$name.png"
fi
zv_stop_emulator
zv_stop_port_emulators

# The same memory read by zorvant-cli from a fresh emulator started with the same options.
export_matches_cli() {
  local file="$work/$1"
  [ -n "${cli:-}" ] || { fail "export-matches-cli needs --cli"; return; }
  # shellcheck disable=SC2086  # the options are words on purpose
  zv_start_emulator "$emulator" "$work/cli-transcript.txt" "$work/cli-emulator.log" \
    $emu_options --unpaced || { fail "the second emulator did not start"; return; }
  "$cli" read --port "$(zv_port_path 1)" --output "$work/cli-export.txt" \
    >"$work/cli.log" 2>&1 || fail "zorvant-cli read failed: $(tail -n 1 "$work/cli.log")"
  zv_stop_emulator
  [ -f "$file" ] || { fail "no file $1"; return; }
  cmp -s "$file" "$work/cli-export.txt" ||
    fail "$1 differs from zorvant-cli's export: $(cmp "$file" "$work/cli-export.txt" 2>&1)"
}

# The host's bytes in order on COM1, or on the COMn given, as one hex string.
host_hex() {
  local transcript="$work/transcript.txt"
  [ -n "${1:-}" ] && transcript="$work/transcript-com${1#COM}.txt"
  awk '$2 == "H" { printf "%s", $3 }' "$transcript"
}
while read -r check; do
  read -r _ check_port <<<"$check"
  case "$check" in
    "") ;;
    stop-frame-last | stop-frame-last\ *)
      hex=$(host_hex "$check_port")
      [[ "$hex" == *00000000 ]] ||
        fail "the host did not end with the stop frame ${check_port:-}: ...${hex: -24}" ;;
    no-host-bytes | no-host-bytes\ *)
      hex=$(host_hex "$check_port")
      [ -z "$hex" ] || fail "the host sent bytes ${check_port:-}: $hex" ;;
    rts-raised)
      grep -q ' RTS 1$' "$work/modem.log" || fail "RTS was never raised" ;;
    export-matches-cli\ *)
      export_matches_cli "${check#export-matches-cli }" ;;
    only-files\ *)
      read -r folder wanted <<<"${check#only-files }"
      held=$(cd "$work/$folder" && ls -A | tr '\n' ' ' | sed 's/ $//')
      [ "$held" = "$wanted" ] || fail "$folder holds \"$held\", not \"$wanted\"" ;;
    *) fail "unknown check $check" ;;
  esac
done < <(directive check)

elapsed_ms=$((($(date +%s%N) - started) / 1000000))
elapsed="$((elapsed_ms / 1000)).$((elapsed_ms % 1000 / 100))"
if [ ${#failures[@]} -eq 0 ]; then
  echo "PASS $name (${elapsed} s)"
  exit 0
fi
echo "FAIL $name (${elapsed} s); logs in $work"
[ -e "$shots/$name.png" ] && echo "screenshot: $shots/$name.png"
printf '  %s\n' "${failures[@]}"
echo "---- driver log (tail) ----"
tail -n 15 "$work/driver.log"
exit 1
