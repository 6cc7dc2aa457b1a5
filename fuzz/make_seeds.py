#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora, fuzz/corpus/number and
fuzz/corpus/controller, from the texts and event sequences below.

Run it after changing them; the output is the same on every run. The input
formats are described at the top of number_text_fuzzer.cpp and
controller_fuzzer.cpp.
"""

import pathlib
import re
import struct

HERE = pathlib.Path(__file__).resolve().parent
PROMPT = "Enter a value here."

# Texts a user might type or paste, each with a file name. Non-BMP and lone
# surrogates are written as UTF-16 units directly (see units()).
TEXTS = {
    # The worked values and the range bounds.
    "worked-632.8": "632.8",
    "worked-1240": "1240",
    "worked-35": "35",
    "worked-2": "2",
    "worked-minus-5": "-5",
    "bound-35.0000001": "35.0000001",
    "bound-9999999": "9999999",
    "bound-9999999.5": "9999999.5",
    "bound-1": "1",
    # Zero: the exact text "0" is refused, every other zero fails to divide.
    "zero": "0",
    "zero-0.0": "0.0",
    "zero-00": "00",
    "zero-minus-0": "-0",
    "zero-0e5": "0e5",
    # Quotients beyond the double range, and values beyond it.
    "tiny-1E-306": "1E-306",
    "tiny-minus-1E-306": "-1E-306",
    "denormal-1E-310": "1E-310",
    "denormal-smallest": "4.9406564584124654e-324",
    "underflow-1e-400": "1e-400",
    "overflow-1e400": "1e400",
    "largest-double": "1.7976931348623157e308",
    "quotient-rounds-beyond-largest": "6.897728961372326e-306",
    # Result texts at the exponent boundaries.
    "result-exponent-1e-13": "1e-13",
    "result-exponent-1e8": "1e8",
    "result-exponent-123456789": "123456789",
    # The grammar's corners.
    "blanks": " \t42\t ",
    "point-first": ".5",
    "point-last": "5.",
    "plus": "+7",
    "exponent-sign": "1E+3",
    "exponent-negative": "2.5e-1",
    "exponent-empty": "1e",
    "two-points": "1.2.3",
    "comma": "1,5",
    "thousands": "1,000",
    "hex": "0x10",
    "inf": "inf",
    "nan": "nan",
    "currency": "$5",
    "abc": "abc",
    "prompt": PROMPT,
    # Non-ASCII: none of it is a number.
    "full-width-digits": "\uff11\uff12\uff13",
    "unicode-minus": "\u22125",
    "no-break-space": "5\u00a0",
    "arabic-indic-digits": "\u0666\u0663\u0662",
    "right-to-left-override": "\u202e632.8",
    "combining-accent": "6\u03013",
    "nul-inside": "5\u00000",
    "emoji": "\U0001f4a1",
    "lone-high-surrogate": "\ud800",
    "lone-low-surrogate": "5\udc00",
    "swapped-surrogates": "\udc00\ud800",
    # Long texts.
    "long-digits": "7" * 4096,
    "long-fraction-zeros": "0." + "0" * 2000 + "1",
    "long-trailing-zeros": "1." + "0" * 3000,
    "long-exponent": "1e" + "9" * 1000,
}


def units(text):
    """UTF-16 code units of a text; lone surrogates pass through unpaired."""
    out = []
    for ch in text:
        code = ord(ch)
        if code > 0xFFFF:
            code -= 0x10000
            out += [0xD800 | (code >> 10), 0xDC00 | (code & 0x3FF)]
        else:
            out.append(code)
    return out


def utf16(text):
    return b"".join(struct.pack("<H", u) for u in units(text))


# Controller events, encoded as controller_fuzzer.cpp decodes them.
ENTER1, ESCAPE1, ENTER2, ESCAPE2, CLICK1, CLICK2 = b"\0", b"\1", b"\3", b"\4", b"\6", b"\7"


def key1(code):
    return b"\2" + struct.pack("<H", code)


def key2(code):
    return b"\5" + struct.pack("<H", code)


def typed(text):
    return b"".join(key1(u) for u in units(text))


def paste(text):
    out = b""
    codes = units(text)
    for start in range(0, max(len(codes), 1), 255):
        chunk = codes[start : start + 255]
        out += b"\x08" + bytes([len(chunk)]) + b"".join(struct.pack("<H", u) for u in chunk)
    return out


def paste_repeated(pattern, length):
    codes = units(pattern)
    return b"\x09" + bytes([len(codes)]) + struct.pack("<H", length) + utf16(pattern)


def select1(start, length):
    return b"\x0a" + struct.pack("<HH", start, length)


def select2(start, length):
    return b"\x0b" + struct.pack("<HH", start, length)


def replace_and_enter(text):
    # A click selects the whole input, so the paste replaces it.
    return CLICK1 + paste(text) + ENTER1


SEQUENCES = {
    **{
        "enter-" + name: replace_and_enter(text)
        for name, text in TEXTS.items()
        if len(text) < 300
    },
    "enter-design-text": ENTER1,
    "typed-35-after-click": CLICK1 + typed("35") + ENTER1,
    "typed-over-selected-result": replace_and_enter("632.8") + typed("2") + ENTER1,
    "zero-then-typed-value": replace_and_enter("0.0") + typed("5") + ENTER1,
    "empty-enter": CLICK1 + paste("") + ENTER1,
    "escape-escape-ends": ESCAPE1 + ESCAPE1 + ENTER1 + CLICK2,
    "escape-in-result-ends": ESCAPE2 + ESCAPE2 + typed("5"),
    "escape-then-enter": ESCAPE1 + ENTER1,
    "result-box-keys": ENTER2 + key2(ord("5")) + key2(13) + CLICK2 + select2(3, 100) + ENTER2,
    "partial-selection-paste": select1(2, 2) + paste("9") + ENTER1,
    "caret-beyond-end": select1(60000, 60000) + paste("1") + ENTER1 + select2(17, 1),
    "control-keys": key1(8) + key1(9) + key1(127) + key1(0) + ENTER1,
    "long-paste-digits": CLICK1 + paste_repeated("7", 40000) + ENTER1,
    "long-paste-mixed": CLICK1 + paste_repeated("1234567890", 65535) + ENTER1 + ESCAPE1,
    "long-paste-fraction": CLICK1 + paste("0.") + paste_repeated("0", 30000) + paste("1") + ENTER1,
    "hostile-text": replace_and_enter("\u202e\u0000\ud800\u0301\udc00 5"),
}


def write(folder, files):
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, data in files.items():
        assert re.fullmatch(r"[A-Za-z0-9._-]+", name), name
        (folder / name).write_bytes(data)


def main():
    numbers = {name: utf16(text) for name, text in TEXTS.items()}
    # 17 bytes: the fuzzer repeats this text into a quarter-million-unit paste.
    numbers["repeated-1.5e3"] = utf16("1.5e3 1.") + b"\0"
    write(HERE / "corpus" / "number", numbers)
    write(HERE / "corpus" / "controller", SEQUENCES)


if __name__ == "__main__":
    main()
