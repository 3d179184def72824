# bash completion for zorvant-cli: its commands and subcommands (archive list, ...), their
# options, the serial ports and "auto" for --port, the words an option takes (--format
# text|csv|json, ...), file names for the options and the positionals that take a file (verify
# FILE), and nothing for those that take a number, a time or a title. Commands and options are
# asked of the binary being completed (--list-commands, COMMAND --help), so that a new command
# or option completes with no change here.

# Serial ports: the first column of `zorvant-cli ports` (its device paths) when the binary has
# that command, else the usual device nodes.
_zorvant_cli_ports() {
  local cli=$1
  if "$cli" --list-commands 2>/dev/null | grep -qx ports; then
    "$cli" ports 2>/dev/null | awk '$1 ~ /^\// { print $1 }'
  else
    compgen -G '/dev/ttyUSB*'
    compgen -G '/dev/ttyACM*'
    compgen -G '/dev/ttyS*'
  fi
}

# The options whose value is a file or a folder.
_zorvant_cli_file_option() {
  [[ $1 == @(-o|--output|--from-export|--archive|--to|--from) ]]
}

# Completes the value of OPTION from the command's HELP: the ports and "auto" for --port, the
# words its help line lists ("--format TEXT:{text,csv,json}=text"), file names for a file, and
# nothing for any other value (a number, a time, a title). Fails when OPTION takes no value,
# as a flag, or is not one of the command's.
_zorvant_cli_option_value() {
  local cli=$1 help=$2 option=$3 cur=$4 line names
  while IFS= read -r line; do
    # "  -o,--output TEXT ...": the names, then one space and a type when it takes a value.
    names=${line#"${line%%[! ]*}"}
    names=${names%% *}
    [[ $names == -* && ,$names, == *,"$option",* ]] || continue
    [[ $line =~ ^\ *[^\ ]+\ [A-Z][A-Z_0-9|]*(:|\ |$) ]] || return 1
    if [[ $option == --port ]]; then
      mapfile -t COMPREPLY < <(compgen -W "auto $(_zorvant_cli_ports "$cli")" -- "$cur")
    elif [[ $line =~ :\{([^}]*)\} ]]; then
      mapfile -t COMPREPLY < <(compgen -W "${BASH_REMATCH[1]//,/ }" -- "$cur")
    elif _zorvant_cli_file_option "$option"; then
      _filedir
    else
      COMPREPLY=()
    fi
    return 0
  done <<<"$help"
  return 1
}

_zorvant_cli() {
  local cur prev words cword split
  _init_completion -s || return
  local cli=${words[0]} command='' i
  for ((i = 1; i < cword; i++)); do
    if [[ ${words[i]} != -* ]]; then
      command=${words[i]}
      break
    fi
  done
  if [[ -z $command ]]; then
    if [[ $cur == -* ]]; then
      mapfile -t COMPREPLY < <(compgen -W "$(_parse_help "$cli")" -- "$cur")
    else
      mapfile -t COMPREPLY < <(compgen -W "$(LC_ALL=C "$cli" --list-commands 2>/dev/null)" \
        -- "$cur")
    fi
    return
  fi
  local help subcommands
  help=$(LC_ALL=C "$cli" "$command" --help 2>/dev/null) || return
  # A command with subcommands (archive): its help's "Subcommands:" list; the first of them
  # after the command picks the help the rest is completed from.
  subcommands=$(awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1; next } on { exit }' \
    <<<"$help")
  if [[ -n $subcommands ]]; then
    local sub=''
    for ((i = i + 1; i < cword; i++)); do
      if [[ ${words[i]} != -* && $'\n'$subcommands$'\n' == *$'\n'${words[i]}$'\n'* ]]; then
        sub=${words[i]}
        break
      fi
    done
    if [[ -z $sub ]]; then
      [[ $cur == -* ]] || mapfile -t COMPREPLY < <(compgen -W "$subcommands" -- "$cur")
      return
    fi
    help=$(LC_ALL=C "$cli" "$command" "$sub" --help 2>/dev/null) || return
  fi
  if [[ $prev == -* ]] && _zorvant_cli_option_value "$cli" "$help" "$prev" "$cur"; then
    return
  fi
  $split && return
  # A command whose positionals are files (FILE in its help) takes file names; the others
  # take no other arguments: offer the options even before a dash.
  if [[ $cur != -* ]] && grep -q '^Positionals:' <<<"$help" && grep -q '^  FILE' <<<"$help"; then
    _filedir
    return
  fi
  mapfile -t COMPREPLY < <(compgen -W "$(_parse_help - <<<"$help")" -- "$cur")
}
complete -F _zorvant_cli zorvant-cli
