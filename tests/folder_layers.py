#!/usr/bin/env python3
"""Checks from the #include lines that the folders depend downwards only.

    tests/folder_layers.py SOURCE-ROOT

Layers, lowest first: common; textcipher; filecipher and console (which do
not include each other); update (the update check that Mirelka runs and
the updater); then the programs trisel, mirelka and shellext, which never
include each other. A file may include a lower layer's portable headers, its own
folder's headers from its own sub-folder or one above it, and platform
headers (win32/, posix/) only from inside a sub-folder of the same platform.
Portable files (outside win32/ and posix/) never include Windows headers.
Prints every offending line and exits 1 when there is one.
"""
import os
import re
import sys

LAYERS = {
    "common": 0,
    "textcipher": 1,
    "filecipher": 2,
    "console": 2,
    "update": 3,
    "trisel": 4,
    "mirelka": 4,
    "shellext": 4,
}
PLATFORMS = {"win32", "posix"}
WINDOWS_HEADERS = {"windows.h", "windowsx.h", "winbase.h", "winuser.h", "wingdi.h", "winreg.h",
                   "commctrl.h", "commdlg.h", "prsht.h", "richedit.h", "imm.h", "mmsystem.h",
                   "shellapi.h", "shlobj.h", "shobjidl.h", "shlwapi.h", "objbase.h", "objidl.h",
                   "unknwn.h", "ocidl.h", "ole2.h", "olectl.h", "oleauto.h", "wininet.h",
                   "winsock2.h", "ws2tcpip.h", "bcrypt.h", "ncrypt.h", "wincrypt.h", "psapi.h",
                   "tlhelp32.h", "tchar.h", "io.h", "direct.h", "process.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def platforms_of(parts):
    """The platform segments of a path (as a list of folder names)."""
    return {p for p in parts if p in PLATFORMS}


def check_include(file_dir, target):
    """Why including `target` (a root-relative path) from a file in `file_dir`
    is not allowed, or None."""
    tparts = target.split("/")
    if tparts[0] not in LAYERS:
        return None  # a relative include of the file's own folder
    tdir = tparts[:-1]
    own, other = file_dir[0], tparts[0]
    missing = platforms_of(tdir) - platforms_of(file_dir)
    if missing:
        return "platform header (%s) in code that is not %s" % ("/".join(tdir), "/".join(missing))
    if own == other:
        # The folder's own headers: from the file's sub-folder or above it.
        if file_dir[: len(tdir)] != tdir:
            return "%s/ reaches down into %s/" % ("/".join(file_dir), "/".join(tdir))
        return None
    if LAYERS[other] >= LAYERS[own]:
        return "%s/ includes %s/, which is not below it" % (own, other)
    # A lower folder: its core, or its platform sub-folder of the same platform.
    for part in tdir[1:]:
        if part not in PLATFORMS:
            return "%s/ reaches into %s/ of a lower folder" % (own, "/".join(tdir))
    return None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    problems = []
    for top in sorted(LAYERS):
        for dirpath, dirs, files in os.walk(os.path.join(root, top)):
            dirs.sort()
            for name in sorted(files):
                if not name.endswith((".h", ".cpp", ".rc")):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, root).replace(os.sep, "/")
                file_dir = rel.split("/")[:-1]
                portable = not platforms_of(file_dir)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        kind, target = m.groups()
                        if kind == "<":
                            why = ("Windows header in portable code"
                                   if portable and target.lower() in WINDOWS_HEADERS else None)
                        else:
                            why = check_include(file_dir, target)
                        if why:
                            problems.append("%s:%d: %s: %s" % (rel, number, line.strip(), why))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
