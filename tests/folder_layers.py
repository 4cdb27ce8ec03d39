#!/usr/bin/env python3
# tests/folder_layers.py SOURCE-ROOT: checks from the #include lines that the folders depend
# downwards only. Layers, lowest first: common; textcipher; filecipher and console (not
# including each other); update; then trisel, mirelka and shellext, which never include each
# other. A file may include a lower layer's portable headers, its own folder's headers from
# its own sub-folder or one above it, and platform headers (win32/, posix/) only from inside a
# sub-folder of the same platform. Portable files never include Windows headers. Prints every
# offending line and exits 1 when there is one.
import os, re, sys  # noqa: E401

LAYERS = {"common": 0, "textcipher": 1, "filecipher": 2, "console": 2, "update": 3,
          "trisel": 4, "mirelka": 4, "shellext": 4}
PLATFORMS = {"win32", "posix"}
WINDOWS_HEADERS = set(
    "windows.h windowsx.h winbase.h winuser.h wingdi.h winreg.h commctrl.h commdlg.h prsht.h richedit.h "
    "imm.h mmsystem.h shellapi.h shlobj.h shobjidl.h shlwapi.h objbase.h objidl.h unknwn.h ocidl.h ole2.h "
    "olectl.h oleauto.h wininet.h winsock2.h ws2tcpip.h bcrypt.h ncrypt.h wincrypt.h psapi.h tlhelp32.h "
    "tchar.h io.h direct.h process.h".split())
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def why_not(file_dir, kind, target):  # why this include may not be in a file in file_dir, or None
    if kind == "<":
        portable = not set(file_dir) & PLATFORMS
        return "Windows header in portable code" if portable and target.lower() in WINDOWS_HEADERS else None
    tdir = target.split("/")[:-1]
    if not tdir or tdir[0] not in LAYERS:
        return None  # a relative include of the file's own folder
    own, other = file_dir[0], tdir[0]
    missing = (set(tdir) & PLATFORMS) - set(file_dir)
    if missing:
        return "platform header (%s) in code that is not %s" % ("/".join(tdir), "/".join(missing))
    if own == other:
        ok = file_dir[: len(tdir)] == tdir
        return None if ok else "%s/ reaches down into %s/" % ("/".join(file_dir), "/".join(tdir))
    if LAYERS[other] >= LAYERS[own]:
        return "%s/ includes %s/, which is not below it" % (own, other)
    if any(part not in PLATFORMS for part in tdir[1:]):
        return "%s/ reaches into %s/ of a lower folder" % (own, "/".join(tdir))
    return None


def main(root):
    problems = []
    for top in sorted(LAYERS):
        for dirpath, dirs, files in sorted(os.walk(os.path.join(root, top))):
            for name in sorted(f for f in files if f.endswith((".h", ".cpp", ".rc"))):
                rel = os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, "/")
                with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if m and (why := why_not(rel.split("/")[:-1], *m.groups())):
                            problems.append("%s:%d: %s: %s" % (rel, number, line.strip(), why))
    print("\n".join(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
