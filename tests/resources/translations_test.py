#!/usr/bin/env python3
"""Checks that every .ts file is complete and keeps what must not change.

Usage: translations_test.py TS_FILE...

Every message of every file has a finished translation (no unfinished,
vanished or obsolete entries: build update_translations, then translate);
all files hold the same English texts; and each translation keeps the
source's placeholders (%1), line breaks and the product's own texts (the
program's and the maker's names, the prompt and the units), which stay as
they are in every language.
"""

import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

from checks import check, finish

KEPT = ("Lumbrix", "Brimsel Co.", "Enter a value here.", "nm", "eV")


def kept_in(text):
    """The product texts and placeholders in text, each as often as it occurs."""
    words = [k for k in KEPT for _ in re.finditer(rf"(?<!\w){re.escape(k)}(?!\w)", text)]
    return sorted(words + re.findall(r"%\d", text)) + ["\n"] * text.count("\n")


def main():
    sources = {}
    for path in map(Path, sys.argv[1:]):
        seen = set()
        for context in ET.parse(path).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                source = message.findtext("source")
                where = f"{path.name}: {name}: {source!r}"
                seen.add((name, source))
                translation = message.find("translation")
                state = translation.get("type") if translation is not None else "missing"
                text = translation.text or "" if translation is not None else ""
                if not check(state is None and text, f"{where} is {state or 'empty'}"):
                    continue
                check(kept_in(text) == kept_in(source),
                      f"{where}: {text!r} does not keep {kept_in(source)}")
        sources[path.name] = seen
    check(len(sources) > 0, "no .ts files given")
    everything = set().union(*sources.values())
    for name, seen in sources.items():
        check(seen == everything, f"{name} lacks {sorted(everything - seen)}")
    finish(f"{len(sources)} translations complete, {len(everything)} texts each")


if __name__ == "__main__":
    main()
