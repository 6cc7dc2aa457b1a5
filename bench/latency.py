#!/usr/bin/python3
"""Time from Enter to the painted result, for Lumbrix and a bare window alike.

On the display in DISPLAY (a private Xvfb that bench/latency starts), it
launches each program once, waits for its painted window (titled "Lumbrix"),
then, press by press and program by program (interleaved), types a value
(2 and 4 alternately, so every press changes the result), waits for the
window to settle, fakes Enter through XTest and takes the first DAMAGE event
on the window after which the result box's pixels differ from before the key.
The result box's rows are found from the pixels in the first warm-up press:
the rows that change on Enter but not while the window sits idle (the caret).
Prints Markdown rows | shell | program | median | p90 | p99 | max | in ms.
"""

import argparse
import os
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, XK, display, error
from Xlib.ext import damage, xtest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from startup import image, painted, window_title  # noqa: E402

TIMEOUT = 5.0


def find_window(d, root, title, taken):
    """The viewable window so titled, at the top or one level down (in a window manager's frame)."""
    for top in root.query_tree().children:
        for child in [top] + list(top.query_tree().children):
            if child.id in taken:
                continue
            if window_title(d, child) == title and child.get_attributes().map_state == X.IsViewable:
                return child
    return None


def key(d, keysym, modifier=None):
    code = d.keysym_to_keycode(keysym)
    if modifier:
        xtest.fake_input(d, X.KeyPress, d.keysym_to_keycode(modifier))
    xtest.fake_input(d, X.KeyPress, code)
    xtest.fake_input(d, X.KeyRelease, code)
    if modifier:
        xtest.fake_input(d, X.KeyRelease, d.keysym_to_keycode(modifier))


def settle(d, quiet=0.05):
    """Waits until no event has come for `quiet` seconds."""
    d.sync()
    while True:
        if not select.select([d.fileno()], [], [], quiet)[0] and not d.pending_events():
            return
        while d.pending_events():
            event = d.next_event()
            if event.type == d.extension_event.DamageNotify:
                d.damage_subtract(event.damage)


class Program:
    def __init__(self, d, root, name, command, taken):
        self.name = name
        self.proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     start_new_session=True)
        deadline = time.perf_counter() + 30
        self.window = None
        while self.window is None or not painted(self.window):
            if time.perf_counter() > deadline or self.proc.poll() is not None:
                sys.exit(f"{name}: no painted window")
            time.sleep(0.1)
            self.window = self.window or find_window(d, root, "Lumbrix", taken)
        self.damage = self.window.damage_create(damage.DamageReportNonEmpty)
        geometry = self.window.get_geometry()
        self.width, self.height = geometry.width, geometry.height
        self.band = None
        self.times = []

    def focus(self, d):
        self.window.set_input_focus(X.RevertToParent, X.CurrentTime)
        self.window.configure(stack_mode=X.Above)

    def click_input(self, d):
        """A click near the window's top left corner, in its input."""
        at = d.screen().root.translate_coords(self.window, 8, 8)
        xtest.fake_input(d, X.MotionNotify, x=at.x, y=at.y)
        xtest.fake_input(d, X.ButtonPress, 1)
        xtest.fake_input(d, X.ButtonRelease, 1)

    def type_value(self, d, value):
        key(d, XK.XK_a, XK.XK_Control_L)
        key(d, XK.string_to_keysym(value))
        settle(d)

    def learn_band(self, d):
        """The rows that Enter changes and idling does not."""
        idle = set()
        before = image(self.window)
        for _ in range(3):
            time.sleep(0.4)
            now = image(self.window)
            idle |= changed_rows(before, now, self.width)
        self.type_value(d, "2")
        before = image(self.window)
        key(d, XK.XK_Return)
        settle(d, 0.3)
        changed = changed_rows(before, image(self.window), self.width) - idle
        if not changed:
            sys.exit(f"{self.name}: Enter changed nothing on the window")
        self.band = (min(changed), max(changed) + 1)

    def band_pixels(self):
        """The result box's rows as painted: only they, so that a look costs little."""
        top, bottom = self.band
        try:
            # The width as it is now: Wine may have resized its window since.
            width = self.window.get_geometry().width
            return self.window.get_image(0, top, width, bottom - top, X.ZPixmap, 0xFFFFFFFF).data
        except error.XError:
            return None

    def press(self, d, value):
        self.type_value(d, value)
        before = self.band_pixels()
        start = time.perf_counter()
        key(d, XK.XK_Return)
        d.flush()
        while True:
            if not d.pending_events():
                if time.perf_counter() - start > TIMEOUT:
                    return None
                select.select([d.fileno()], [], [], 0.004)
                continue
            # Damage seen now; the events queued with it are read before the
            # pixels are looked at, so that a program that paints in more
            # steps does not pay for the benchmark's looks between them.
            now = time.perf_counter()
            ours = False
            while d.pending_events():
                event = d.next_event()
                if event.type == d.extension_event.DamageNotify:
                    d.damage_subtract(event.damage)
                    ours = ours or event.drawable.id == self.window.id
            if ours and self.band_pixels() != before:
                return (now - start) * 1000


def changed_rows(a, b, width):
    stride = width * 4
    return {y for y in range(min(len(a), len(b)) // stride)
            if a[y * stride:(y + 1) * stride] != b[y * stride:(y + 1) * stride]}


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--shell", required=True)
    parser.add_argument("--rounds", type=int, default=200)
    parser.add_argument("--warmup", type=int, default=20)
    parser.add_argument("program", nargs=2, metavar="NAME=COMMAND",
                        help="lumbrix=... and bare=..., in that order")
    args = parser.parse_args()
    d = display.Display()
    if not d.has_extension("XTEST") or not d.has_extension("DAMAGE"):
        sys.exit("the X server needs XTEST and DAMAGE")
    d.damage_query_version()
    root = d.screen().root
    programs = []
    try:
        for program_arg in args.program:
            name, command = program_arg.split("=", 1)
            # One at a time, so that each is found by its title alone.
            program = Program(d, root, name, ["sh", "-c", command], {p.window.id for p in programs})
            program.focus(d)
            settle(d)
            program.learn_band(d)
            # Both stay up, side by side; only the keyboard focus moves.
            if program.window.query_tree().parent.id == root.id:
                program.window.configure(x=300 * len(programs), y=0)
            programs.append(program)
            settle(d)
        for round_ in range(args.warmup + args.rounds):
            for program in programs:
                program.focus(d)
                settle(d)
                # Under load Wine may keep its window inactive with the X
                # focus on it, and the keys go nowhere: the value, and so the
                # result, stays as it was. A click activates it; pressed
                # again, and said.
                for _ in range(3):
                    ms = program.press(d, "4" if round_ % 2 == 0 else "2")
                    if ms is not None:
                        break
                    print(f"{program.name}: nothing painted after Enter; clicked and pressed again",
                          file=sys.stderr)
                    program.focus(d)
                    program.click_input(d)
                    settle(d)
                else:
                    sys.exit(f"{program.name}: no result painted after Enter")
                if round_ >= args.warmup:
                    program.times.append(ms)
        for program in programs:
            t = program.times
            print(f"| {args.shell} | {program.name} | {statistics.median(t):.1f} | "
                  f"{percentile(t, 90):.1f} | {percentile(t, 99):.1f} | {max(t):.1f} |")
    finally:
        for program in programs:
            program.proc.terminate()


if __name__ == "__main__":
    main()
