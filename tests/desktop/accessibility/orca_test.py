#!/usr/bin/python3
"""What a blind user hears from Orca: the whole value at start, the result
with its unit after Enter, and the word at the caret after Ctrl+Left, with
the program still answering. Run by session.sh: orca_test.py PATH_TO_LUMBRIX"""

import sys
import time

from desktop import Program, fail, keys, type_text
from screen_reader import Orca, twice


def listen(folder, path):
    program = Program(path)
    try:
        with Orca(folder) as orca:
            heard = orca.hears("the whole value at start", r"632\.8\.?")
            # Orca 48 (Debian 13) may not present what follows while it still
            # reads the window out: the keys wait until it has gone quiet.
            orca.quiet(1)
            keys("ctrl+a")
            type_text("2")
            keys("Return")
            heard = orca.hears("the result with its unit", r".*\b620 nm\.?", heard)
            # Orca asks for the word at the caret; Qt 6.4's own answer froze.
            keys("ctrl+Left", hold=0.3)
            orca.hears("the word at the caret", r"2", heard)
            time.sleep(0.5)
            try:
                answers = program.text("Value") == "2"
            except Exception:  # the question timed out
                answers = False
            if not answers:
                fail("the program stopped answering after Ctrl+Left")
    finally:
        program.close()


twice("the window", lambda folder: listen(folder, sys.argv[1]))
print("Orca test passed")
