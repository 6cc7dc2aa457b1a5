#!/usr/bin/env python3
"""Compiles the Windows resource script and reads the result back.

Usage: windows_resources_test.py RC_FILE ICO_FILE VERSION VERSION_TEXT
  RC_FILE       the configured resource script, as a Windows build compiles it,
                or a built lumbrix.exe, which is read back as it is
  ICO_FILE      the committed lumbrix.ico
  VERSION       the numeric version the record must carry, e.g. 1.3.0.5
  VERSION_TEXT  the version text it must carry, e.g. 1.03.0005

The script is compiled with the MinGW resource compiler and linked into a
small PE file, which is then read back the way Windows reads a program file:
the version record both decompiled (windres) and as raw bytes (wrestool), and
the program file's icon (the first icon group) extracted and compared with
the committed .ico.
"""

import re
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

from checks import check, finish, need

def run(*args, **kwargs):
    result = subprocess.run([str(a) for a in args], capture_output=True, **kwargs)
    if result.returncode != 0:
        err = result.stderr if isinstance(result.stderr, str) else result.stderr.decode(errors="replace")
        sys.exit(f"FAIL: {' '.join(map(str, args))} exited {result.returncode}:\n{err}")
    return result.stdout


def check_decompiled(rc_text, numbers, text):
    block = rc_text[rc_text.find("VERSIONINFO"):]
    check(block != "", "no VERSIONINFO resource in the program file")
    for key in ("FILEVERSION", "PRODUCTVERSION"):
        m = re.search(rf"^\s*{key}\s+([\d ,]+)$", block, re.M)
        got = tuple(int(n) for n in m.group(1).split(",")) if m else None
        check(got == numbers, f"{key} is {got}, expected {numbers}")

    expected_strings = {
        "CompanyName": "Brimsel Co.",
        "FileDescription": "Lumbrix",
        "FileVersion": text,
        "InternalName": "lumbrix",
        "OriginalFilename": "lumbrix.exe",
        "ProductName": "Lumbrix",
        "ProductVersion": text,
    }
    table = re.search(r'BLOCK "StringFileInfo"\s*BEGIN\s*BLOCK "([0-9a-fA-F]{8})"\s*BEGIN(.*?)END',
                      block, re.S)
    if check(table, "no string table in the version record"):
        check(table.group(1).lower() == "040904b0",
              f'string table is "{table.group(1)}", expected "040904b0" (US English, Unicode)')
        strings = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', table.group(2)))
        for name, value in expected_strings.items():
            check(strings.get(name) == value, f'{name} is {strings.get(name)!r}, expected {value!r}')
        extra = sorted(set(strings) - set(expected_strings))
        check(not extra, f"unexpected version strings {extra}")
    translation = re.search(r'VALUE "Translation",\s*(0x[0-9a-fA-F]+|\d+),\s*(0x[0-9a-fA-F]+|\d+)', block)
    got = tuple(int(n, 0) for n in translation.groups()) if translation else None
    check(got == (0x409, 1200),
          f"Translation is {tuple(map(hex, got)) if got else None}, expected (0x409, 0x4b0)")


def check_raw_version(raw, numbers, text):
    """The fixed part Windows reads for the version column, and the UTF-16 texts."""
    at = raw.find(struct.pack("<I", 0xFEEF04BD))
    if not check(at >= 0, "version resource has no VS_FIXEDFILEINFO"):
        return
    (_, _, file_ms, file_ls, prod_ms, prod_ls, _, flags, _, file_type) = struct.unpack_from("<10I", raw, at)
    as_words = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    check(as_words(file_ms, file_ls) == numbers, f"raw file version {as_words(file_ms, file_ls)}")
    check(as_words(prod_ms, prod_ls) == numbers, f"raw product version {as_words(prod_ms, prod_ls)}")
    check(file_type == 1, f"file type {file_type}, expected 1 (an application)")
    check(flags == 0, f"file flags {flags:#x}, expected none (not debug, pre-release or patched)")
    check(raw.count(text.encode("utf-16-le") + b"\0\0") == 2,
          f'"{text}" does not appear as FileVersion and ProductVersion text')


def main():
    rc, ico, version, text = Path(sys.argv[1]).resolve(), Path(sys.argv[2]), sys.argv[3], sys.argv[4]
    numbers = tuple(int(n) for n in version.split("."))
    windres = need("x86_64-w64-mingw32-windres", "binutils-mingw-w64-x86-64")
    ld = need("x86_64-w64-mingw32-ld", "binutils-mingw-w64-x86-64")
    wrestool = need("wrestool", "icoutils")
    icotool = need("icotool", "icoutils")
    # windres preprocesses with the MinGW compiler when it is there; the
    # script needs no Windows headers, so the host's preprocessor will do.
    preprocess = []
    if shutil.which("x86_64-w64-mingw32-gcc") is None:
        preprocess = [f"--preprocessor={need('cpp', 'cpp')}"]

    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        # From an unrelated folder, to prove the icon path does not depend on it.
        if rc.suffix == ".exe":
            pe = rc
            # Windows starts the program with manifest 1 (RT_MANIFEST is 24).
            manifest = run(wrestool, "-x", "--raw", "--type=24", "--name=1", pe).decode()
            for wanted in ("Microsoft.Windows.Common-Controls", "PerMonitorV2",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"):
                check(wanted in manifest, f"the program file's manifest 1 lacks {wanted}")
        else:
            run(windres, *preprocess, "-i", rc, "-O", "coff", "-o", tmp / "res.o", cwd=tmp)
            run(ld, "-shared", "-o", tmp / "lumbrix-res.dll", tmp / "res.o", cwd=tmp)
            pe = tmp / "lumbrix-res.dll"

        check_decompiled(run(windres, "-J", "coff", "-i", pe, "-O", "rc", text=True), numbers, text)
        check_raw_version(run(wrestool, "-x", "--raw", "--type=16", "--name=1", pe), numbers, text)

        # Windows shows the first icon group as the program file's icon.
        groups = re.findall(r"--type=14 --name=(\S+)", run(wrestool, "-l", pe, text=True))
        if check(groups == ["1"], f"icon groups {groups}, expected exactly one, named 1"):
            (tmp / "embedded.ico").write_bytes(run(wrestool, "-x", "--type=14", "--name=1", pe))
            listings = [run(icotool, "-l", f, text=True) for f in (tmp / "embedded.ico", ico)]
            check(listings[0] == listings[1],
                  f"the program file's icon lists\n{listings[0]}but lumbrix.ico lists\n{listings[1]}")
            for name, source in (("embedded", tmp / "embedded.ico"), ("committed", ico)):
                (tmp / name).mkdir()
                run(icotool, "-x", "-o", tmp / name, source)
            for image in sorted((tmp / "committed").iterdir()):
                embedded = tmp / "embedded" / image.name.replace("lumbrix", "embedded", 1)
                check(embedded.exists() and embedded.read_bytes() == image.read_bytes(),
                      f"the program file's icon differs from lumbrix.ico in {image.name}")

    finish(f"version {version} / {text} and the two-image icon read back from the program file")


if __name__ == "__main__":
    main()
