#!/usr/bin/python3
"""What a blind user hears from Orca on the page in Firefox, driven as the
window's orca_test.py drives it. Run by session.sh, with screen_reader.py's
and ts_texts.py's folders in PYTHONPATH: orca_test.py NODE SITE_FOLDER"""

import functools
import json
import os
import re
import subprocess
import sys

import pyatspi
from desktop import keys, type_text, wait_for
from screen_reader import Orca, twice
from ts_texts import read_ts

# (what, typed over the input's text, keys, what Orca says then: None for
# nothing of the page's), with the input's name and the decimal separator.
# Orca 48 with Firefox 140 (Debian 13) says the value at open without the name.
STEPS = (("the input's name and value at open", None, (), r"(?:{name} entry )?632{sep}8\.?"),
         ("an energy's wavelength after Enter", "620", ("Return",), r"2 eV"),
         ("a wavelength's energy after Enter", "1{sep}5", ("Return",), r"826{sep}666666666667 nm"),
         ("the same phrase after the same Enter", None, ("Return",), r"826{sep}666666666667 nm"),
         ("nothing after Escape", None, ("Escape",), None),
         ("the button's name after Tab", None, ("Tab",), r"Brimsel Co\. (?:push )?button\.?"))
ORCA_OWN = r"escape ?|Selection deleted\.?"  # its words for the key and the emptied input
HERE = os.path.dirname(os.path.abspath(__file__))
GERMAN = read_ts(f"{HERE}/../../translations/lumbrix_de.ts")[1][("Controls", "Value")][1]
LANGUAGES = (("en-US", ".", "Value"), ("de-DE", ",", GERMAN))
# Quiet on its first run, with nothing leaving the machine (serve.js refuses).
PREFS = {"browser.shell.checkDefaultBrowser": False, "browser.aboutwelcome.enabled": False,
         "browser.startup.homepage_override.mstone": "ignore",
         "datareporting.policy.dataSubmissionEnabled": False,
         "toolkit.telemetry.reportingpolicy.firstRun": False, "network.proxy.type": 1,
         "network.proxy.http": "127.0.0.1", "network.proxy.ssl": "127.0.0.1"}


def attributes(element):
    """An element's attributes, as Firefox gives them."""
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and "Firefox" in a.name)
    found = pyatspi.findDescendant(app, lambda a: f"id:{element}" in a.getAttributes())
    return dict(a.split(":", 1) for a in found.getAttributes())


def listen(folder, tag, sep, name, port):
    """Opens the page in one language and goes through the steps, with an Orca
    of its own, which nothing of the last browser can hold up."""
    prefs = {**PREFS, "intl.accept_languages": tag, "network.proxy.http_port": port,
             "network.proxy.ssl_port": port}
    os.mkdir(profile := f"{folder}/profile")
    with open(f"{profile}/user.js", "w") as user:
        user.writelines(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items())
    with Orca(folder) as orca:
        orca.ready()
        browser = subprocess.Popen(["firefox-esr", "--no-remote", "--profile", profile,
                                    f"http://127.0.0.1:{port}/"], stderr=subprocess.DEVNULL)
        try:
            # The phrase's element is a polite live region; Firefox adds the
            # attribute a little after the element. Keys wait for the page's start,
            # which gives the input its shortcut, and go to the browser's window.
            wait_for("div#spoken as a polite live region",
                     lambda: attributes("spoken")["live"] == "polite", 60)
            wait_for("the page's start", lambda: "keyshortcuts" in attributes("Text1"))
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                            str(browser.pid), "--name", "Lumbrix", "windowactivate", "--sync"],
                           check=True)
            # Orca 48 (Debian 13) may not present the live region while it
            # still takes in the page: the keys wait until it has gone quiet.
            orca.quiet(3)
            mark = 0
            for what, typed, names, pattern in STEPS:
                if typed:
                    keys("ctrl+a")
                    type_text(typed.format(sep=sep))
                if names:  # else all said since the page opened
                    mark = len(orca.spoken())
                    keys(*names)
                if pattern is None:
                    orca.says_nothing(f"{tag}: {what}", ORCA_OWN, mark)
                else:
                    orca.hears(f"{tag}: {what}", pattern.format(name=re.escape(name),
                                                                sep=re.escape(sep)), mark)
        finally:
            browser.kill()
            browser.wait()


def main(node, site):
    server = subprocess.Popen([node, "-e", "require(process.argv[1]).serve(process.argv[2])"
                               ".then((s) => console.log(s.port))", f"{HERE}/serve.js", site],
                              stdout=subprocess.PIPE, text=True)
    try:
        port = int(server.stdout.readline())
        for tag, sep, name in LANGUAGES:
            twice(tag, functools.partial(listen, tag=tag, sep=sep, name=name, port=port))
    finally:
        server.kill()
    print("Orca test of the page passed")


main(*sys.argv[1:3])
