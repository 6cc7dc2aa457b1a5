#!/usr/bin/python3
"""Time from launch to a painted window, peak memory and shared objects.

Starts a private Xvfb, then launches each program in turn, interleaved round
by round so that drift in the machine's load hits every program alike. For
each launch it listens on the root window for the program's top-level window
to be created and mapped, watches that window with the DAMAGE extension, and
takes the first damage after which the window's pixels are no longer a single
colour as the moment it was painted. No polling: the loop sleeps in select()
on the X connection for at most a few milliseconds at a time, only to notice
a program that dies without a window.

At that moment it reads the CPU time the program has used (all threads,
from schedstat: steadier than wall time when the machine is shared), the peak
resident set (VmHWM) and the number of shared objects mapped, then ends the
program.
"""

import argparse
import json
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, error
from Xlib.ext import damage

WAIT_SLICE = 0.004  # seconds; how long select() waits before checking the child
TIMEOUT = 20.0  # seconds for one launch to paint
VERIFY_AFTER = 0.0  # seconds; --verify compares the first painted frame with a later one


def start_xvfb():
    """Starts Xvfb on a display number it picks itself; returns (process, ':N')."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                xvfb.kill()
                sys.exit("Xvfb did not start")
            number += chunk
    return xvfb, ":" + number.decode().strip()


def window_title(d, window):
    for name, kind in (("_NET_WM_NAME", d.intern_atom("UTF8_STRING")), ("WM_NAME", X.AnyPropertyType)):
        try:
            prop = window.get_full_property(d.intern_atom(name), kind)
        except error.XError:
            return None
        if prop is not None and prop.value:
            value = prop.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
    return None


def window_pid(d, window):
    try:
        prop = window.get_full_property(d.intern_atom("_NET_WM_PID"), X.AnyPropertyType)
    except error.XError:
        return None
    return int(prop.value[0]) if prop is not None and len(prop.value) else None


def image(window):
    try:
        geometry = window.get_geometry()
        return window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    except error.XError:
        return None


def painted(window):
    """True when the window shows more than one colour: something was drawn."""
    try:
        geometry = window.get_geometry()
        data = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    except error.XError:
        return False
    return len(data) >= 8 and data != data[:4] * (len(data) // 4)


def cpu_ms(pid):
    """CPU time of all the process's threads so far; steadier than wall time on a busy machine."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total / 1e6


def memory_and_objects(pid):
    hwm_kb = None
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                hwm_kb = int(line.split()[1])
    objects = set()
    with open(f"/proc/{pid}/maps") as maps:
        for line in maps:
            parts = line.split(maxsplit=5)
            if len(parts) == 6:
                path = parts[5].strip()
                name = os.path.basename(path)
                if ".so" in name and path.startswith("/"):
                    objects.add(path)
    return hwm_kb, len(objects)


def launch(d, root, program, env):
    """One launch; returns a dict of measurements or raises RuntimeError."""
    while d.pending_events():
        d.next_event()
    windows = {}  # id -> {"window", "damage", "mapped", "matches"}
    map_time = None
    t0 = time.perf_counter()
    proc = subprocess.Popen(program["command"], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)

    def matches(window):
        title = window_title(d, window)
        if title is None:
            return None  # not known yet; ask again on the next damage
        if program.get("title") is not None:
            return title == program["title"]
        pid = window_pid(d, window)
        return pid is None or pid == proc.pid

    try:
        while True:
            if not d.pending_events():
                if proc.poll() is not None:
                    raise RuntimeError(f"exited with {proc.returncode} before painting")
                if time.perf_counter() - t0 > TIMEOUT:
                    raise RuntimeError("no painted window in time")
                select.select([d.fileno()], [], [], WAIT_SLICE)
                continue
            event = d.next_event()
            now = time.perf_counter()
            if event.type == X.CreateNotify:
                if event.override or event.parent.id != root.id:
                    continue
                window = event.window
                windows[window.id] = {
                    "window": window,
                    "damage": window.damage_create(damage.DamageReportNonEmpty),
                    "mapped": False,
                    "matches": None,
                }
                d.flush()
            elif event.type == X.MapNotify:
                state = windows.get(event.window.id)
                if state is None:
                    continue
                state["mapped"] = True
                state["matches"] = matches(state["window"])
                if state["matches"]:
                    map_time = map_time or now
                    # It may have drawn before the map reached us.
                    if painted(state["window"]):
                        return finish(d, proc, state["window"], t0, map_time, now)
            elif event.type == X.DestroyNotify:
                windows.pop(event.window.id, None)
            elif event.type == d.extension_event.DamageNotify:
                state = windows.get(event.drawable.id)
                if state is None:
                    continue
                d.damage_subtract(state["damage"])
                if not state["mapped"]:
                    continue
                if state["matches"] is None:
                    state["matches"] = matches(state["window"])
                if state["matches"]:
                    map_time = map_time or now
                    if painted(state["window"]):
                        return finish(d, proc, state["window"], t0, map_time, now)
    finally:
        end(proc)


def finish(d, proc, window, t0, map_time, paint_time):
    cpu = cpu_ms(proc.pid)
    hwm_kb, objects = memory_and_objects(proc.pid)
    geometry = window.get_geometry()
    result = {
        "window": f"{window_title(d, window)!r} {geometry.width}x{geometry.height}",
        "map_ms": (map_time - t0) * 1e3,
        "paint_ms": (paint_time - t0) * 1e3,
        "cpu_ms": cpu,
        "rss_mb": hwm_kb / 1024.0,
        "objects": objects,
    }
    if VERIFY_AFTER:
        # Was the first painted frame the whole window, or only part of it?
        first = image(window)
        time.sleep(VERIFY_AFTER)
        later = image(window)
        result["complete"] = first == later
        if first and later and len(first) == len(later):
            pixels = len(first) // 4
            differ = sum(first[i:i + 4] != later[i:i + 4] for i in range(0, len(first), 4))
            result["changed_after"] = differ / pixels
    return result


def end(proc):
    if proc.poll() is None:
        os.killpg(proc.pid, signal.SIGTERM)
        try:
            proc.wait(timeout=3)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


def summarize(name, runs):
    def stat(key):
        values = [r[key] for r in runs]
        return statistics.median(values), min(values), max(values)
    return {key: stat(key) for key in ("map_ms", "paint_ms", "cpu_ms", "rss_mb", "objects")} | {"n": len(runs)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the CMake build directory")
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("--only", help="comma-separated names of the programs to run")
    parser.add_argument("--json", help="also write every launch to this file")
    parser.add_argument("--extra", action="append", default=[], metavar="NAME=PROGRAM",
                        help="also measure PROGRAM (a window titled Lumbrix), e.g. a trial build")
    parser.add_argument("--env", action="append", default=[], metavar="NAME=VALUE",
                        help="add NAME=VALUE to every program's environment")
    parser.add_argument("--baseline", default="baseline",
                        help="the program the extra programs are compared with")
    parser.add_argument("--before-each", metavar="COMMAND",
                        help="run COMMAND before every launch, e.g. to stop a server for cold starts")
    parser.add_argument("--verify", action="store_true",
                        help="check that the first painted frame is the final one (slower)")
    args = parser.parse_args()
    global VERIFY_AFTER
    VERIFY_AFTER = 0.5 if args.verify else 0.0

    lumbrix = os.path.join(args.build, "window", "lumbrix")
    baseline = os.path.join(args.build, "bench", "lumbrix_baseline")
    floor = os.path.join(args.build, "bench", "lumbrix_xlib_floor")
    gnome = {"XDG_CURRENT_DESKTOP": "GNOME"}
    programs = [
        {"name": "lumbrix", "command": [lumbrix], "title": "Lumbrix"},
        {"name": "baseline", "command": [baseline], "title": "Lumbrix"},
        {"name": "peer", "command": ["qalculate-gtk"], "title": None},
        {"name": "floor", "command": [floor], "title": "Lumbrix"},
        # Under GNOME with Qt's GTK 3 platform theme installed, Qt loads GTK 3
        # for the desktop's palette and fonts unless told not to.
        {"name": "lumbrix-gnome", "command": [lumbrix], "title": "Lumbrix", "env": gnome},
        {"name": "baseline-gnome", "command": [baseline], "title": "Lumbrix", "env": gnome},
        {"name": "baseline-gnome-unaware", "command": [baseline, "--no-desktop-settings"],
         "title": "Lumbrix", "env": gnome},
    ]
    for extra in args.extra:
        name, _, command = extra.partition("=")
        programs.append({"name": name, "command": command.split(), "title": "Lumbrix"})
    if args.only:
        wanted = args.only.split(",")
        programs = [p for p in programs if p["name"] in wanted]
    available = []
    for p in programs:
        exe = p["command"][0]
        if os.path.isabs(exe) and not os.access(exe, os.X_OK):
            print(f"skipping {p['name']}: {exe} is not built", file=sys.stderr)
        else:
            available.append(p)
    programs = available

    xvfb, display_name = start_xvfb()
    home = tempfile.mkdtemp(prefix="lumbrix-bench-home-")
    runtime_dir = tempfile.mkdtemp(prefix="lumbrix-bench-run-")
    # A plain, fixed environment: no desktop unless a program asks for one,
    # a home of its own so no user settings leak in.
    base_env = {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": home,
        "XDG_RUNTIME_DIR": runtime_dir,
        "DISPLAY": display_name,
        "LANG": "C.UTF-8",
        "QT_QPA_PLATFORM": "xcb",
    } | dict(pair.split("=", 1) for pair in args.env)
    results = {p["name"]: [] for p in programs}
    failures = {p["name"]: [] for p in programs}
    try:
        d = display.Display(display_name)
        if not d.has_extension("DAMAGE"):
            sys.exit("the X server has no DAMAGE extension")
        d.damage_query_version()
        d.set_error_handler(lambda *_: None)  # windows may vanish under us
        root = d.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        d.sync()
        print(f"Xvfb on {display_name}; {args.warmup} warm-up rounds, {args.rounds} measured; "
              f"programs: {', '.join(p['name'] for p in programs)}", file=sys.stderr)
        for round_number in range(args.warmup + args.rounds):
            for p in programs:
                env = base_env | p.get("env", {})
                if args.before_each:
                    subprocess.run(args.before_each, shell=True, env=env, check=False)
                try:
                    r = launch(d, root, p, env)
                except RuntimeError as e:
                    failures[p["name"]].append(str(e))
                    continue
                finally:
                    time.sleep(0.05)  # let the X server drop the old client
                if round_number >= args.warmup:
                    results[p["name"]].append(r)
            print(f"round {round_number + 1}/{args.warmup + args.rounds}", file=sys.stderr)
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(runtime_dir, ignore_errors=True)

    if args.json:
        with open(args.json, "w") as out:
            json.dump({"results": results, "failures": failures}, out, indent=1)

    summary = {name: summarize(name, runs) for name, runs in results.items() if runs}
    print(f"\n{'program':24} {'n':>3} {'paint ms (min-max)':>22} {'map ms':>8} {'CPU ms':>7} "
          f"{'peak RSS MB (min-max)':>22} {'.so':>5}")
    for name, s in summary.items():
        pm, pmin, pmax = s["paint_ms"]
        rm, rmin, rmax = s["rss_mb"]
        print(f"{name:24} {s['n']:3d} {pm:8.1f} ({pmin:5.1f}-{pmax:5.1f}) {s['map_ms'][0]:8.1f} "
              f"{s['cpu_ms'][0]:7.1f} "
              f"{rm:8.1f} ({rmin:5.1f}-{rmax:5.1f}) {s['objects'][0]:5.0f}")
    for name, runs in results.items():
        if runs:
            complete = [r["complete"] for r in runs if "complete" in r]
            changed = [r["changed_after"] for r in runs if "changed_after" in r]
            note = (f"; first painted frame final in {sum(complete)}/{len(complete)}, "
                    f"at most {max(changed):.1%} of pixels changed later") if complete else ""
            print(f"{name:24} window {runs[-1]['window']}{note}")
    for name, errors in failures.items():
        if errors:
            print(f"{name}: {len(errors)} failed launches, e.g. {errors[0]}")

    def ratio(a, b, label):
        if a in summary and b in summary:
            t = summary[a]["paint_ms"][0] / summary[b]["paint_ms"][0]
            m = summary[a]["rss_mb"][0] / summary[b]["rss_mb"][0]
            c = summary[a]["cpu_ms"][0] / summary[b]["cpu_ms"][0]
            print(f"{label:44} paint {t:5.2f}x   CPU {c:5.2f}x   peak RSS {m:5.2f}x")

    print("\nratios of medians, same run")
    ratio("lumbrix", "baseline", "lumbrix / baseline (target <=1.15, <=1.10)")
    ratio("lumbrix", "peer", "lumbrix / peer (target <=0.14, <=0.50)")
    ratio("baseline", "peer", "baseline / peer")
    ratio("baseline", "floor", "baseline / raw Xlib floor")
    ratio("lumbrix-gnome", "lumbrix", "lumbrix under GNOME / plain")
    ratio("baseline-gnome", "baseline", "baseline under GNOME / plain")
    ratio("baseline-gnome", "baseline-gnome-unaware", "GNOME: desktop-aware / unaware")
    ratio("baseline-gnome-unaware", "baseline", "GNOME unaware / plain")
    for extra in args.extra:
        name = extra.partition("=")[0]
        if name != args.baseline:
            ratio(name, args.baseline, f"{name} / {args.baseline}")
    if "floor" in summary:
        print(f"\nmeasurement floor (raw Xlib window, C++): {summary['floor']['paint_ms'][0]:.1f} ms median")


if __name__ == "__main__":
    main()
