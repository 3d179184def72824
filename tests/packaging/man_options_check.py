#!/usr/bin/env python3
"""A man page names the options its program's --help names: the page as man renders it
against the help the binary prints now. With --commands (zorvant-cli) section by section: the
program's own, one "COMMAND <NAME>" per command of --list-commands, and the exit codes.
usage: man_options_check.py PAGE PROGRAM [--commands]"""
import os
import re
import subprocess
import sys

# -x or --long-name, not inside a word ("one-channel", "UTF-8", "-0.5").
OPTION = re.compile(r"(?<![\w-])--?[A-Za-z][\w-]*")


def run(*args, **env):
    return subprocess.run(args, check=True, capture_output=True, text=True,
                          env=dict(os.environ, **env)).stdout


def sections(page):
    """{heading: text} of the page rendered without hyphenation or wrapping."""
    found, heading = {}, None
    for line in run("man", "--nh", "--nj", "-l", page, LC_ALL="C", MANWIDTH="1000").splitlines():
        if re.fullmatch(r"[A-Z][A-Z0-9 -]*", line):
            heading = line
            found[heading] = ""
        elif heading:
            found[heading] += line + "\n"
    return found


def compare(what, page_text, help_text):
    on_page, in_help = set(OPTION.findall(page_text)), set(OPTION.findall(help_text))
    if on_page == in_help:
        print(f"ok   {what}: {len(in_help)} options")
        return True
    print(f"FAIL {what}: missing from the page {sorted(in_help - on_page)}, "
          f"not in --help {sorted(on_page - in_help)}")
    return False


def main():
    page, program = sys.argv[1], sys.argv[2]
    found = sections(page)
    if "--commands" not in sys.argv[3:]:
        text = "".join(t for s, t in found.items() if s not in ("NAME", "SYNOPSIS"))
        return 0 if compare(program, text, run(program, "--help")) else 1
    body, _, footer = run(program, "--help").partition("Exit codes:")
    ok = compare("program", found.get("DESCRIPTION", "") + found.get("OPTIONS", ""), body)
    ok &= compare("exit status", found.get("EXIT STATUS", ""), footer)
    for command in run(program, "--list-commands").split():
        command_help = run(program, command, "--help").partition("Exit codes:")[0]
        ok &= compare(command, found.get(f"COMMAND {command.upper()}", ""), command_help)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
