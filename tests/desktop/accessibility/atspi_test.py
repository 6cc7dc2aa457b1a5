#!/usr/bin/python3
"""What a screen reader gets from the real program over AT-SPI: roles, names
and states, answers to every text query, and the result copied from the
keyboard. Run by session.sh: atspi_test.py PATH_TO_LUMBRIX"""

import subprocess
import sys

import pyatspi
from gi.repository import GLib
from desktop import Program, fail, keys, type_text, wait_for

BOUNDARIES = range(7)  # character, word start/end, sentence start/end, line start/end
BOXES = ("Value", "Unit of the value", "Result", "Unit of the result")


def check_queries(program, name):
    """Every boundary at every offset answers (within the timeout) with a
    piece of the text, and one attribute run covers it all."""
    text = program.box(name).queryText()
    whole = text.getText(0, text.characterCount)
    for offset in range(len(whole) + 1):
        for boundary in BOUNDARIES:
            for query in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                piece, start, end = query(offset, boundary)
                if piece != whole[start:end]:
                    fail(f"{name} {whole!r} {query.__name__}({offset}, {boundary}): {piece!r} {start} {end}")
        if offset < len(whole):
            _, start, end = text.getAttributeRun(offset, False)
            if (start, end) != (0, len(whole)):
                fail(f"{name} {whole!r}: attribute run at {offset} is {start}..{end}")
    return whole


def check_names_roles_states(program):
    # Roles, not their names: at-spi2-core 2.56 calls a push button "button".
    if program.frame.getRole() != pyatspi.ROLE_FRAME or program.frame.name != "Lumbrix":
        fail(f"window reads as {program.frame.getRoleName()} {program.frame.name!r}")
    expected = {  # name: role, words its description must hold
        "Value": (pyatspi.ROLE_TEXT, ("nm", "eV", "Enter")),
        "Unit of the value": (pyatspi.ROLE_TEXT, ("nm", "eV")),
        "Result": (pyatspi.ROLE_TEXT, ("converted",)),
        "Unit of the result": (pyatspi.ROLE_TEXT, ("nm", "eV")),
        "Brimsel Co.": (pyatspi.ROLE_PUSH_BUTTON, ("home page", "browser")),
    }
    for name, (role, words) in expected.items():
        control = program.control(name)
        description = control.description
        if control.getRole() != role or not all(w in description for w in words):
            fail(f"{name}: {control.getRoleName()} described as {description!r}")
    for name in BOXES:
        states = program.box(name).getState()
        read_only = name != "Value"
        if states.contains(pyatspi.STATE_READ_ONLY) != read_only or \
                states.contains(pyatspi.STATE_EDITABLE) == read_only:
            fail(f"{name}: read-only and editable states {states.getStates()}")


def check_copy_result(program, result="Result"):
    """Chooses Copy result from the input's menu; returns the menu's items."""
    keys("ctrl+a")
    type_text("2")
    keys("Return")
    wait_for("the result of 2", lambda: program.text(result) == "620")
    # Menus are windows of their own, which the accessibility tree leaves
    # out: the menu is known by the event that shows it.
    shown = []
    def on_showing(event):
        if event.detail1 and event.source.getRoleName() == "popup menu":
            shown.append([item.name for item in event.source])
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    # The Menu key opens the input's menu; Up from no item reaches the
    # last, Copy result.
    keys("Menu")
    def menu():  # events come in through the main loop
        GLib.MainContext.default().iteration(False)
        return shown
    items = wait_for("the input's menu", menu)[-1]
    pyatspi.Registry.deregisterEventListener(on_showing, "object:state-changed:showing")
    keys("Up", "Return")
    copied = wait_for("the result on the clipboard", lambda: subprocess.run(
        ["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True,
        timeout=2).stdout)
    if copied != "620":
        fail(f"Copy result put {copied!r} on the clipboard")
    return items


# The controls' names, the words for zero, Qt's Undo item and Copy result in
# each language as a desktop asks for it: by LANG, or by LANGUAGE's list over
# an English LANG, also one whose first language neither Qt nor we have.
# Numbers follow LANG: the value and result the window opens with.
GERMAN = (["Brimsel Co.", "Wert", "Einheit des Werts", "Einheit des Ergebnisses", "Ergebnis"],
          "Kein Ergebnis für den Wert null", ["Rückgängig\tStrg+Z", "Ergebnis kopieren"])
POINT, COMMA = ("632.8", "1.95954487989886"), ("632,8", "1,95954487989886")
LANGUAGES = (
    (None, POINT, (["Brimsel Co.", "Value", "Unit of the value", "Unit of the result", "Result"],
                   "No result for a value of zero", ["Undo\tCtrl+Z", "Copy result"])),
    ({"LANG": "de_DE.UTF-8"}, COMMA, GERMAN),
    ({"LANGUAGE": "de", "LANG": "en_US.UTF-8"}, POINT, GERMAN),
    ({"LANGUAGE": "eo:de", "LANG": "en_US.UTF-8"}, POINT, GERMAN),
)


def said(program):
    """What the window's notifications say now."""
    return [c.name for c in program.frame if c.getRoleName() == "notification"]


def check_language(program, names, zero, menu):
    got = [c.name for c in program.frame if c.getRoleName() != "notification"]
    if got != names:
        fail(f"the controls are called {got}, not {names}")
    items = check_copy_result(program, names[4])
    if [items[0], items[-1]] != menu:
        fail(f"the input's menu holds {items}, not {menu} first and last")
    program.box(names[1]).queryEditableText().setTextContents("00")  # no decimal separator
    keys("Return")
    wait_for("the result of 00", lambda: program.text(names[4]) == "")
    if said(program) != [zero]:
        fail(f"for 00 the window said {said(program)}, not {zero!r}")


def main():
    program = Program(sys.argv[1])
    try:
        check_names_roles_states(program)
        value = program.box("Value").queryEditableText()
        prompt = "Enter a value here."
        for text, after in (("", (prompt, "")), ("5", ("5", "248")), ("abc", (prompt, "")),
                            (".5", (".5", "2480")),
                            ("-123456789", ("-123456789", "-1.00440000914004E-05")),
                            (prompt, (prompt, "")),
                            ("-1.00440000914004E-05", ("-1.00440000914004E-05", "-123456789"))):
            value.setTextContents(text)
            if check_queries(program, "Value") != text:
                fail(f"the input did not take {text!r}")
            keys("Return")
            # Each Enter changes a box: wait for exactly what it gives.
            wait_for(f"Enter on {text!r}", lambda: (program.text("Value"), program.text("Result")) == after)
            for name in BOXES:
                check_queries(program, name)
        # Over the bus too, a number reads as one word, minus and exponent with it.
        word = program.box("Value").queryText().getTextAtOffset(3, pyatspi.TEXT_BOUNDARY_WORD_START)
        if tuple(word) != ("-1.00440000914004E-05", 0, 21):
            fail(f"the word at 3 of the value: {tuple(word)}")
        keys("Escape")
        check_language(program, *LANGUAGES[0][2])
    finally:
        program.close()
    for env, start, (names, zero, menu) in LANGUAGES[1:]:
        print("In", env)
        program = Program(sys.argv[1], env)
        try:
            if (program.text(names[1]), program.text(names[4])) != start:
                fail(f"the window opens with {program.text(names[1])}, not {start}")
            keys("Return")  # the start value, read back with the same separator
            wait_for(f"Enter on {start[0]}", lambda: said(program) == [start[1] + " eV"])
            check_language(program, names, zero, menu)
        finally:
            program.close()
    print("AT-SPI test passed")


main()
