#!/usr/bin/python3
"""What a blind user hears from Orca: the whole value at start, the result
with its unit after Enter, and the word at the caret after Ctrl+Left, with
the program still answering. Run by session.sh: orca_test.py PATH_TO_LUMBRIX

Orca runs in this private session with speech on but no speech server; it
writes every phrase it would say to its debug log as SPEECH OUTPUT."""

import os
import re
import subprocess
import sys
import tempfile
import time

from desktop import Program, fail, keys, type_text, wait_for

# Orca's own start-up, without its single-instance check (it looks for any
# process named orca of this user, which would stop the test while the
# user's own Orca runs) and with settings that live only in this process.
LAUNCHER = """
import sys
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[2], "w", buffering=1)
from orca import orca, settings_manager
# Orca 43 names it getManager, Orca 48 get_manager.
get_manager = getattr(settings_manager, "get_manager", None) or settings_manager.getManager
manager = get_manager()
manager.activate(sys.argv[1], {"speechServerFactory": None, "enableSpeech": True,
                               "enableBraille": False, "enableSound": False})
sys.exit(orca.main())
"""


class Orca:
    def __init__(self, folder):
        self.log = os.path.join(folder, "orca.log")
        # Kept for a failure: a launcher that dies early says why only here.
        self.stderr = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-c", LAUNCHER, os.path.join(folder, "prefs"), self.log],
            stdout=subprocess.DEVNULL, stderr=self.stderr)

    def spoken(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                return re.findall(r"SPEECH OUTPUT: '(.*?)'", log.read())
        except FileNotFoundError:
            return []

    def hears(self, what, pattern, after=0):
        """Waits until Orca says something matching `pattern`, among the
        phrases after the first `after`; returns the count of phrases."""
        def said():
            if self.process.poll() is not None:
                fail(f"Orca ended ({self.process.returncode}) before {what}")
            phrases = self.spoken()
            return any(re.fullmatch(pattern, p) for p in phrases[after:]) and len(phrases)
        return wait_for(what, said, seconds=20)

    def stop(self, show_errors):
        ended = self.process.poll()
        self.process.kill()
        self.process.wait()
        if show_errors or ended is not None:
            self.stderr.seek(0)
            errors = self.stderr.read().decode(errors="replace").strip()
            state = "running" if ended is None else f"ended early ({ended})"
            print(f"Orca's launcher ({state}) wrote:\n{errors or '(nothing)'}", file=sys.stderr)


def main():
    program = Program(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        orca = Orca(folder)
        passed = False
        try:
            heard = orca.hears("the whole value at start", r"632\.8\.?")
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
            passed = True
        finally:
            print("Orca said:", *(f"  {p!r}" for p in orca.spoken()), sep="\n")
            orca.stop(show_errors=not passed)
            program.close()
    print("Orca test passed")


main()
