"""Orca over a program on the private desktop that session.sh makes: runs
it with speech on but no speech server, so that it writes every phrase it
would say to its debug log as SPEECH OUTPUT, and waits for phrases there.
Shared by the desktop window's and the page's Orca tests."""

import os
import re
import subprocess
import sys
import tempfile
import time

from desktop import fail, wait_for

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


def twice(what, attempt):
    """Runs `attempt(scratch_folder)`, which starts a fresh Orca and program,
    once more if it fails: Orca 48 (Debian 13) now and then presents nothing
    more of a program it has just started reading, though its boxes are as
    they should be. A fault that is always there still fails both."""
    for last in (False, True):
        try:
            with tempfile.TemporaryDirectory() as folder:
                return attempt(folder)
        except SystemExit:
            if last:
                raise
            print(f"{what}: once more, with a fresh Orca")


class Orca:
    def __init__(self, folder):
        self.log = os.path.join(folder, "orca.log")
        # Kept for a failure: a launcher that dies early says why only here.
        self.stderr = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-c", LAUNCHER, os.path.join(folder, "prefs"), self.log],
            stdout=subprocess.DEVNULL, stderr=self.stderr)

    def _read(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def spoken(self):
        # A phrase may hold apostrophes; the voice's settings may follow it.
        return re.findall(r"SPEECH OUTPUT: '(.*)'[^'{}\n]*(?:\{.*\})?$", self._read(), re.M)

    def ready(self):
        """Waits until Orca listens to the bus: what is said before is lost."""
        # Orca 43 logs the first; later ones say the second once listening.
        wait_for("Orca to start", lambda: "Starting registry" in self._read()
                 or "Screen reader on" in " ".join(self.spoken()), seconds=20)

    def hears(self, what, pattern, after=0):
        """Waits until Orca says something matching `pattern`, among the
        phrases after the first `after`; returns the count of phrases."""
        def said():
            if self.process.poll() is not None:
                fail(f"Orca ended ({self.process.returncode}) before {what}")
            phrases = self.spoken()
            return any(re.fullmatch(pattern, p) for p in phrases[after:]) and len(phrases)
        return wait_for(what, said, seconds=20)

    def quiet(self, seconds, limit=30):
        """Waits until Orca has said nothing new for `seconds` (`limit` at most)."""
        count, since, began = len(self.spoken()), time.monotonic(), time.monotonic()
        while time.monotonic() - since < seconds and time.monotonic() - began < limit:
            time.sleep(0.2)
            if (now := len(self.spoken())) != count:
                count, since = now, time.monotonic()

    def says_nothing(self, what, allowed, after, seconds=2):
        """Fails if, within `seconds`, Orca says after the first `after`
        phrases anything that `allowed` does not match."""
        time.sleep(seconds)
        other = [p for p in self.spoken()[after:] if not re.fullmatch(allowed, p)]
        if other:
            fail(f"{what}: Orca said {other}")

    def __enter__(self):
        return self

    def __exit__(self, failed, *_):
        """Shows what Orca said, and, where the test failed, what it wrote."""
        print("Orca said:", *(f"  {p!r}" for p in self.spoken()), sep="\n")
        ended = self.process.poll()
        self.process.kill()
        self.process.wait()
        if failed or ended is not None:
            self.stderr.seek(0)
            errors = self.stderr.read().decode(errors="replace").strip()
            state = "running" if ended is None else f"ended early ({ended})"
            print(f"Orca's launcher ({state}) wrote:\n{errors or '(nothing)'}", file=sys.stderr)
