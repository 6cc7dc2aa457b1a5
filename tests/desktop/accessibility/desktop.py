"""Drives the real program as a screen reader user would, on the private
desktop that session.sh makes: asks it through the accessibility bus,
presses keys with xdotool."""

import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
import pyatspi  # noqa: E402

# Every question must be answered within a second: a slower answer is a
# freeze.
Atspi.set_timeout(1000, 10000)


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(what, predicate, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            value = predicate()
        except Exception:  # not there yet, or not answering yet
            value = None
        if value:
            return value
        time.sleep(0.05)
    fail(f"timed out waiting for {what}")


def keys(*names, hold=0.0):
    """Presses keys in turn; a held key stays down `hold` seconds, long
    enough for a screen reader to see which key moved the caret."""
    for name in names:
        if hold:
            subprocess.run(["xdotool", "keydown", name], check=True)
            time.sleep(hold)
            subprocess.run(["xdotool", "keyup", name], check=True)
        else:
            subprocess.run(["xdotool", "key", name], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "50", text], check=True)


class Program:
    """The program under test, its stderr kept for the test log."""

    def __init__(self, path, env=None):
        """Starts the program with `env` added to its environment."""
        self.stderr = tempfile.TemporaryFile()
        self.process = subprocess.Popen([path], stderr=self.stderr, env={**os.environ, **(env or {})})
        self.frame = wait_for("the window on the accessibility bus", self._frame)
        # The input, in any language: the one box that is editable.
        wait_for("the input to have the focus", lambda: any(
            {pyatspi.STATE_EDITABLE, pyatspi.STATE_FOCUSED} <= set(c.getState().getStates())
            for c in self.frame))

    def _frame(self):
        if self.process.poll() is not None:
            self.stderr.seek(0)
            fail(f"the program ended ({self.process.returncode}): {self.stderr.read().decode()}")
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Lumbrix" and app.childCount:
                return app[0]
        return None

    def control(self, name):
        for child in self.frame:
            if child.name == name:
                return child
        raise LookupError(f"no control named {name!r}")

    def box(self, name):
        return self.control(name)

    def text(self, name):
        text = self.box(name).queryText()
        return text.getText(0, text.characterCount)

    def close(self):
        self.process.kill()
        self.process.wait()
