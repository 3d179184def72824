#!/usr/bin/env python3
"""A man page names the options its program's --help names, section by section: the page as
man renders it against the help the binary prints now. With --commands the program has
commands (zorvant-cli): its page has a "COMMAND <NAME>" section for each of them, naming what
`PROGRAM NAME --help` names, and the exit codes in EXIT STATUS.
usage: man_options_check.py PAGE PROGRAM [--commands]"""
import os
import re
import subprocess
import sys

# -x or --long-name, not inside a word ("one-channel", "UTF-8", "-0.5").
OPTION = re.compile(r"(?<![\w-])--?[A-Za-z][\w-]*")
FOOTER = "Exit codes:"


def rendered_sections(page):
    """The page as man renders it, without hyphenation or wrapping: {heading: text}."""
    env = dict(os.environ, LC_ALL="C", MANWIDTH="1000", MANPAGER="cat", PAGER="cat")
    text = subprocess.run(["man", "--nh", "--nj", "-l", page], env=env, check=True,
                          capture_output=True, text=True).stdout
    sections, heading = {}, None
    for line in text.splitlines():
        if re.match(r"^[A-Z][A-Z0-9 -]*$", line):
            heading = line.strip()
            sections[heading] = ""
        elif heading:
            sections[heading] += line + "\n"
    return sections


def help_text(program, *args):
    return subprocess.run([program, *args, "--help"], check=True, capture_output=True,
                          text=True).stdout


def options(text):
    return set(OPTION.findall(text))


def compare(what, page_text, help_output):
    missing = options(help_output) - options(page_text)
    extra = options(page_text) - options(help_output)
    for name, found in (("missing from the page", missing), ("not in --help", extra)):
        if found:
            print(f"FAIL {what}: {name}: {' '.join(sorted(found))}")
    if not missing and not extra:
        print(f"ok   {what}: {len(options(help_output))} options")
    return not missing and not extra


def check_commands(sections, program):
    main_help = help_text(program)
    body, _, footer = main_help.partition(FOOTER)
    top = "".join(sections.get(s, "") for s in ("DESCRIPTION", "OPTIONS"))
    ok = compare("program", top, body)
    ok &= compare("exit status", sections.get("EXIT STATUS", ""), footer)
    commands = subprocess.run([program, "--list-commands"], check=True, capture_output=True,
                              text=True).stdout.split()
    for command in commands:
        heading = f"COMMAND {command.upper()}"
        if heading not in sections:
            print(f"FAIL no section {heading}")
            ok = False
            continue
        command_body = help_text(program, command).partition(FOOTER)[0]
        ok &= compare(command, sections[heading], command_body)
    return ok


def main():
    page, program = sys.argv[1], sys.argv[2]
    sections = rendered_sections(page)
    if "--commands" in sys.argv[3:]:
        ok = check_commands(sections, program)
    else:
        skipped = ("NAME", "SYNOPSIS")
        text = "".join(t for s, t in sections.items() if s not in skipped)
        ok = compare(os.path.basename(program), text, help_text(program))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
