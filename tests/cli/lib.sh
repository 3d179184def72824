# Sourced by the CLI's end-to-end scripts, which take the arguments CLI EMULATOR: a work folder
# removed at exit together with anything still running, the emulator on a pseudo-terminal, and
# the checks with their tally.

cli=$1
emu=$2
work=$(mktemp -d)
emu_pid=""
failures=0
emu_options=()  # what every start_emu of a script passes, such as --unpaced or --transcript
# Every download a script makes is kept in an archive of its own, never in the user's.
export ZORVANT_ARCHIVE="$work/archive.sqlite3"

cleanup() {
  [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null
  jobs -p | xargs -r kill 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Starts kvar2-emu at $work/port with emu_options and the arguments, after stopping the one
# before. The emulator opens its transcript and dump before it makes the link, so both are
# fresh once the link is there.
start_emu() {
  [ -n "$emu_pid" ] && { kill "$emu_pid" 2>/dev/null; wait "$emu_pid" 2>/dev/null; }
  rm -f "$work/port"
  "$emu" --link "$work/port" "${emu_options[@]}" "$@" >"$work/emu.log" 2>&1 &
  emu_pid=$!
  for _ in $(seq 100); do [ -L "$work/port" ] && return 0; sleep 0.05; done
  echo "emulator did not start: $(cat "$work/emu.log")"
  exit 1
}

# Every JSON file given against the schema its shape names (docs/schemas).
schemas=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../docs/schemas" && pwd)
valid_json() {  # files...
  python3 "$(dirname "${BASH_SOURCE[0]}")/validate_json.py" "$schemas" "$@"
}

check() {  # name, condition result
  if [ "$2" = 0 ]; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

finish() {  # the suite's name
  # Whatever JSON the suite had the CLI write, and left in its work folder, is as documented.
  mapfile -t documents < <(find "$work" -name '*.json' -size +0)
  if [ ${#documents[@]} -gt 0 ]; then
    valid_json "${documents[@]}"; check "${#documents[@]} JSON file(s) as their schemas say" $?
  fi
  if [ "$failures" = 0 ]; then
    echo "$1: all checks passed"
  else
    echo "$1: $failures check(s) failed"
  fi
  exit $((failures > 0))
}
