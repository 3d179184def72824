#!/usr/bin/env python3
"""Every include points down the floors: base; link, samples and picture on base; chart on
samples and picture; report on chart; archive on samples; app, cli and the emulator on top.
Project headers are included with quotes, never found through a system path. Windows headers stand only in Win32
files (named *_win32.* or win32_*, or in a win32/ folder), in every folder. What each folder's
CMakeLists.txt links agrees with what it may include.
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
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# The Windows SDK's own headers and the Microsoft C runtime's (not every one, but every kind:
# win*.h covers windows.h, winbase.h, winsock2.h, winreg.h, ...).
WINDOWS_HEADER = re.compile(
    r"(win[a-z0-9_]*|bcrypt|commdlg|commctrl|cderr|dlgs|shellapi|shlobj|shlwapi|shobjidl|"
    r"objbase|ole2|oleauto|combaseapi|unknwn|objidl|rpc|rpcndr|setupapi|devguid|cfgmgr32|"
    r"initguid|knownfolders|psapi|tlhelp32|dbghelp|wincrypt|mmsystem|richedit|uxtheme|dwmapi|"
    r"versionhelpers|sddl|aclapi|accctrl|userenv|lmcons|ntstatus|ntdef|ntddser|fileapi|"
    r"handleapi|synchapi|processthreadsapi|errhandlingapi|consoleapi|sysinfoapi|iphlpapi|"
    r"ws2tcpip|mswsock|gdiplus|d2d1|dwrite|wtsapi32|powrprof|imm|io|conio|direct|process|share|"
    r"tchar|crtdbg|mbstring)\.h",
    re.IGNORECASE)
TARGET = re.compile(r"add_(?:library|executable)\(\s*([A-Za-z0-9_-]+)")
LINKS = re.compile(r"target_link_libraries\(\s*([A-Za-z0-9_-]+)([^)]*)\)", re.DOTALL)


def is_win32_file(rel):
    parts = rel.replace(os.sep, "/").split("/")
    return "win32" in parts[:-1] or re.search(r"(^|_)win32([_.]|$)", parts[-1]) is not None


def project_folder(root, top):
    return top in ALLOWED or os.path.isdir(os.path.join(root, top))


def sources(root, folder):
    for dirpath, _, names in os.walk(os.path.join(root, folder)):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.join(dirpath, name)


def include_violations(root, folder, path):
    rel = os.path.relpath(path, root)
    found = []
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, target = m.groups()
            top = target.split("/")[0]
            where = f"{rel}:{number}: {folder}/"
            if "/" in target and top not in ALLOWED[folder] and project_folder(root, top):
                found.append(f"{where} includes {target}")
            if kind == "<" and "/" in target and project_folder(root, top):
                found.append(f"{where} includes the project's {target} in angle brackets")
            if WINDOWS_HEADER.fullmatch(target) and not is_win32_file(rel):
                found.append(f"{where} includes <{target}> outside a Win32 file")
    return found


def folder_links(root):
    """Each folder's CMake targets and the project folders those targets link."""
    owner = {}
    links = {}
    for folder in ALLOWED:
        path = os.path.join(root, folder, "CMakeLists.txt")
        text = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
        text = re.sub(r"#[^\n]*", "", text)
        for target in TARGET.findall(text):
            owner[target] = folder
        links[folder] = LINKS.findall(text)
    linked = {folder: set() for folder in ALLOWED}
    for folder, calls in links.items():
        for target, rest in calls:
            if owner.get(target) != folder:
                continue
            for word in rest.split():
                if word in owner and owner[word] != folder:
                    linked[folder].add((word, owner[word]))
    return linked


def link_violations(root):
    found = []
    linked = folder_links(root)
    for folder, pairs in sorted(linked.items()):
        for target, other in sorted(pairs):
            if other not in ALLOWED[folder]:
                found.append(f"{folder}/CMakeLists.txt: {folder}/ links {target} of {other}/")
    # What a folder includes from another it must link, directly or through what it links.
    reach = {folder: {other for _, other in pairs} for folder, pairs in linked.items()}
    changed = True
    while changed:
        changed = False
        for folder in reach:
            more = set().union(*(reach.get(other, set()) for other in reach[folder]))
            if not more <= reach[folder]:
                reach[folder] |= more
                changed = True
    libraries = {folder for folder in ALLOWED
                 if os.path.exists(os.path.join(root, folder, "CMakeLists.txt"))}
    for folder in ALLOWED:
        for path in sources(root, folder):
            for line in open(path, encoding="utf-8", errors="replace"):
                m = INCLUDE.match(line)
                if not m or "/" not in m.group(2):
                    continue
                top = m.group(2).split("/")[0]
                if top != folder and top in libraries and top in ALLOWED[folder] and \
                        top not in reach[folder]:
                    found.append(f"{os.path.relpath(path, root)}: {folder}/ includes {top}/ "
                                 f"without linking it")
                    break
    return found


def violations(root):
    found = []
    for folder in ALLOWED:
        for path in sources(root, folder):
            found += include_violations(root, folder, path)
    return found + link_violations(root)


def self_test():
    """The check must catch each kind of planted fault, or it proves nothing."""
    planted = {
        "link/ok.h": '#include "base/wire.h"\n#include <cstdint>\n',
        "link/up.h": '#include "samples/export_file.h"\n',
        "link/angle.h": "#include <cli/exit_codes.h>\n",
        "samples/up.cpp": '#include "app/control_ids.h"\n#include <windows.h>\n',
        "samples/bcrypt.cpp": "#include <bcrypt.h>\n",
        "app/dialog.cpp": "#include <commdlg.h>\n",
        "app/dialog_win32.cpp": "#include <commdlg.h>\n#include <windows.h>\n",
        "cli/win32/console.cpp": "#include <io.h>\n",
        "cli/console.cpp": "#include <Windows.h>\n",
        "base/CMakeLists.txt": "add_library(zv_base STATIC x.cpp)\n",
        "samples/CMakeLists.txt": "add_library(zv_samples STATIC x.cpp)\n"
                                  "target_link_libraries(zv_samples PUBLIC zv_base)\n",
        "link/CMakeLists.txt": "add_library(zv_link STATIC x.cpp)\n"
                               "# target_link_libraries(zv_link PUBLIC zv_samples)\n"
                               "target_link_libraries(zv_link\n  PUBLIC zv_samples)\n",
        "chart/CMakeLists.txt": "add_library(zv_chart STATIC x.cpp)\n",
        "chart/unlinked.h": '#include "samples/reading.h"\n',
    }
    expected = [
        "link/up.h:1: link/ includes samples/export_file.h",
        "link/angle.h:1: link/ includes cli/exit_codes.h",
        "link/angle.h:1: link/ includes the project's cli/exit_codes.h in angle brackets",
        "samples/up.cpp:1: samples/ includes app/control_ids.h",
        "samples/up.cpp:2: samples/ includes <windows.h> outside a Win32 file",
        "samples/bcrypt.cpp:1: samples/ includes <bcrypt.h> outside a Win32 file",
        "app/dialog.cpp:1: app/ includes <commdlg.h> outside a Win32 file",
        "cli/console.cpp:1: cli/ includes <Windows.h> outside a Win32 file",
        "link/CMakeLists.txt: link/ links zv_samples of samples/",
        "chart/unlinked.h: chart/ includes samples/ without linking it",
    ]
    with tempfile.TemporaryDirectory() as root:
        for rel, text in planted.items():
            os.makedirs(os.path.dirname(os.path.join(root, rel)), exist_ok=True)
            with open(os.path.join(root, rel), "w") as f:
                f.write(text)
        got = violations(root)
        if sorted(got) != sorted(expected):
            print("self-test: expected", *expected, "got:", *got, sep="\n  ")
            return False
    return True


def main():
    root = sys.argv[1]
    if not self_test():
        return 1
    if "--self-test" in sys.argv[2:]:
        print("layers: the self-test catches every planted fault")
        return 0
    found = violations(root)
    for v in found:
        print(v)
    if found:
        print(f"{len(found)} fault(s) in the floors")
        return 1
    print("layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
