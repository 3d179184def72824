#!/usr/bin/env bash
# zorvant-cli's help arranged for help2man: the program's help with every command's usage
# beside its own (the page's SYNOPSIS), each command's help as a section of its own (without
# its "Options:" headings, its option groups' too, so that its options stay in that section),
# and the exit codes, which
# every help repeats, once at the end as EXIT STATUS.
# usage: man_help.sh CLI --help|--version
set -euo pipefail
cli=$1
# The page shows the installed name, not the build tree's path.
run() { (exec -a zorvant-cli "$cli" "$@"); }
# A help without its footer of exit codes.
body() { sed '/^Exit codes:$/,$d'; }

if [ "$2" = --version ]; then
  run --version
  exit
fi
main=$(run --help)
commands=$(run --list-commands)
sed -n '1,/^Usage:/p' <<<"$main"
for command in $commands; do
  run "$command" --help | sed -n 's/^Usage: /   or: /p'
done
sed '1,/^Usage:/d' <<<"$main" | body
for command in $commands; do
  printf '\n*Command %s*\n' "$command"
  run "$command" --help | body | sed '/^ *Options:$/d; /^Usage: /d'
done
printf '\n*Exit status*\n'
sed -n '/^Exit codes:$/,${/^Exit codes:$/d;s/^/  /;p}' <<<"$main"
