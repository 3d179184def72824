#!/usr/bin/env python3
"""Every include points down the floors: base; link, samples and picture on base; chart on samples
and picture; report on chart; archive on samples; app, cli and the emulator on top. A portable folder never sees <windows.h>.
usage: layers_check.py ROOT [--self-test]"""
import os
import re
import sys
import tempfile

# What each folder may include, itself among them. Folders not named here (tests, fuzz,
# bench) stand above everything.
ALLOWED = {
    "base": {"base"},
    "link": {"base", "link"},
    "samples": {"base", "samples"},
    "picture": {"base", "picture"},
    "chart": {"base", "samples", "picture", "chart"},
    "report": {"base", "samples", "picture", "chart", "report"},
    "archive": {"base", "samples", "archive"},
    "app": {"base", "link", "samples", "picture", "chart", "app", "resources"},
    "cli": {"base", "link", "samples", "picture", "chart", "report", "archive", "cli"},
    "emulator": {"base", "link", "samples", "emulator"},
}
PORTABLE = {"base", "link", "samples", "picture", "chart", "report", "archive"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def violations(root):
    found = []
    for folder, allowed in ALLOWED.items():
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, root)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        kind, target = m.groups()
                        top = target.split("/")[0]
                        if kind == '"' and "/" in target and top not in allowed:
                            found.append(f"{rel}:{number}: {folder}/ includes {target}")
                        platform_file = "_win32" in name
                        if (kind == "<" and target.lower() == "windows.h" and folder in PORTABLE
                                and not platform_file):
                            found.append(f"{rel}:{number}: portable {folder}/ includes <windows.h>")
    return found


def self_test():
    """The check must catch a planted wrong include, or it proves nothing."""
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, "link"))
        os.makedirs(os.path.join(root, "samples"))
        with open(os.path.join(root, "link", "ok.h"), "w") as f:
            f.write('#include "base/wire.h"\n')
        with open(os.path.join(root, "link", "wrong.h"), "w") as f:
            f.write('#include "samples/export_file.h"\n')
        with open(os.path.join(root, "samples", "wrong.cpp"), "w") as f:
            f.write('#include "app/control_ids.h"\n#include <windows.h>\n')
        got = violations(root)
        if len(got) != 3:
            print("self-test: expected 3 violations, got:", *got, sep="\n  ")
            return False
    return True


def main():
    root = sys.argv[1]
    if not self_test():
        return 1
    found = violations(root)
    for v in found:
        print(v)
    if found:
        print(f"{len(found)} include(s) point up a floor")
        return 1
    print("layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
