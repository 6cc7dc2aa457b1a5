"""What the resource tests share: collecting failures and finding tools."""

import shutil
import sys

failures = []


def check(ok, message):
    if not ok:
        failures.append(message)
    return ok


def need(tool, package):
    path = shutil.which(tool)
    if path is None:
        sys.exit(f"FAIL: {tool} not found; install the Debian package {package} "
                 "(scripts/test installs it)")
    return path


def finish(summary):
    """Reports every failure at once, or the summary when there was none."""
    for message in failures:
        print("FAIL:", message)
    if failures:
        sys.exit(1)
    print(f"ok: {summary}")
