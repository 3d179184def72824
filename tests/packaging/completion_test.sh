#!/usr/bin/env bash
# The bash completion of zorvant-cli, loaded as bash-completion loads it, against the real
# binary (commands, options, the words an option takes) and against stand-ins for the
# binary with and without a `ports` command (the serial ports for --port).
# usage: completion_test.sh CLI COMPLETION_SCRIPT
set -uo pipefail
cli=$(realpath "$1")
script=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Stand-ins: a binary whose `ports` lists two adapters under a heading, and one without that
# command (whether or not the real binary has it); both pass the rest to the real binary.
cat >"$work/with-ports" <<EOF
#!/usr/bin/env bash
case "\$1" in
  --list-commands) "$cli" --list-commands; echo ports ;;
  ports) printf 'PORT          DEVICE\n/dev/ttyUSB7  FTDI FT232R\n/dev/ttyACM2  Kvar_2 cradle\n' ;;
  *) exec "$cli" "\$@" ;;
esac
EOF
cat >"$work/without-ports" <<EOF
#!/usr/bin/env bash
case "\$1" in
  --list-commands) "$cli" --list-commands | grep -vx ports ;;
  ports) exit 2 ;;
  *) exec "$cli" "\$@" ;;
esac
EOF
chmod +x "$work/with-ports" "$work/without-ports"

# The commands as the main help lists them, for an oracle apart from --list-commands.
help_commands=$("$cli" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' | sort)
re_commands=$(grep '^re' <<<"$help_commands" | tr '\n' ' ')
serial_nodes=$(printf '%s\n' /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* | grep -v '\*$' | sort | tr '\n' ' ')

# Each case: the binary, the command line up to the cursor, and the completions expected.
cases=(
  "$cli|zorvant-cli re|$re_commands"
  "$cli|zorvant-cli --v|--version"
  "$cli|zorvant-cli read --f|--format"
  "$cli|zorvant-cli read --format |csv json text"
  "$cli|zorvant-cli read --format=j|json"
  "$cli|zorvant-cli info --json --p|--port"
  "$cli|zorvant-cli chart --output $work/with-p|$work/with-ports"
  "$cli|zorvant-cli report --from-export $work/with-p|$work/with-ports"
  "$work/with-ports|zorvant-cli info --port |/dev/ttyACM2 /dev/ttyUSB7 auto"
  "$work/with-ports|zorvant-cli read --json --port /dev/ttyU|/dev/ttyUSB7"
  "$work/with-ports|zorvant-cli read --port a|auto"
  "$work/without-ports|zorvant-cli info --port |${serial_nodes}auto"
  # a number, a time or a title: no file names
  "$cli|zorvant-cli report --low $work/with-p|"
  "$cli|zorvant-cli report --activation-energy $work/w|"
  "$cli|zorvant-cli report --started-at $work/w|"
  "$cli|zorvant-cli report --title $work/w|"
  "$cli|zorvant-cli chart --position $work/w|"
  # subcommands, their options, and their files
  "$cli|zorvant-cli archive |chart copy export import list log report show verify"
  "$cli|zorvant-cli archive l|list log"
  "$cli|zorvant-cli archive list --j|--json"
  "$cli|zorvant-cli archive copy --to $work/with-p|$work/with-ports"
  "$cli|zorvant-cli archive show $work/w|"
)

# Completes LINE as bash splits it: at blanks, with '=' a word of its own.
complete_line() {
  local binary=$1 line=$2
  bash -c '
    XDG_DATA_DIRS=$0
    source /usr/share/bash-completion/bash_completion
    __load_completion zorvant-cli || { echo "not loaded"; exit 1; }
    line=$2${1#zorvant-cli}
    read -ra COMP_WORDS <<<"${line//=/ = }"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_LINE=$line COMP_POINT=${#line} COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _zorvant_cli
    printf "%s\n" "${COMPREPLY[@]}"' "$work/share" "$line" "$binary" | sort | tr '\n' ' '
}

# bash-completion finds the script where it is installed: <datadir>/bash-completion/completions.
mkdir -p "$work/share/bash-completion/completions"
cp "$script" "$work/share/bash-completion/completions/zorvant-cli"

if [[ " $re_commands" != *" read "* ]]; then
  echo "FAIL the main help lists no 'read' command"
  failures=1
fi
for entry in "${cases[@]}"; do
  IFS='|' read -r binary line expected <<<"$entry"
  got=$(complete_line "$binary" "$line")
  if [ "${got% }" = "${expected% }" ]; then
    echo "ok   '$line' -> $got"
  else
    echo "FAIL '$line' ($(basename "$binary")): expected '$expected', got '$got'"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
