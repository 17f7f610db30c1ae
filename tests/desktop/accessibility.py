#!/usr/bin/python3
"""Drives a running tessary through the accessibility bus, as a screen reader
or switch access would: finds the sixteen cell buttons (by their minterm
descriptions), Show, Reset and the two key fields by role, clicks through
the buttons' actions and reads the answer from the first key field."""
import sys
import time

import pyatspi
from gi.repository import GLib


def walk(node):
    yield node
    # A node may go away while it is read (a dialog closing): its children
    # are then none.
    try:
        children = list(node)
    except GLib.Error:
        return
    for child in children:
        if child is not None:
            yield from walk(child)


def find_app(name, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no application '{name}' on the accessibility bus")


def click(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("click"))


def text_of(node):
    return node.queryText().getText(0, -1)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def main():
    app = find_app("tessary")
    nodes = list(walk(app))
    buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    # A cell's description places it: "minterm 4: row C'D', column A'B".
    cells = {b.description.split(":")[0].split()[-1]: b for b in buttons
             if b.name in ("0", "1", "X") and b.description.startswith("minterm ")}
    show = [b for b in buttons if b.name.strip() == "Show"]
    reset = [b for b in buttons if b.name.strip() == "Reset"]
    fields = [n for n in nodes if n.getRole() == pyatspi.ROLE_TEXT]

    problems = []
    if sorted(cells, key=int) != [str(m) for m in range(16)]:
        problems.append(f"cell buttons by minterm: {sorted(cells, key=int)}")
    if len(show) != 1 or len(reset) != 1:
        problems.append(f"{len(show)} Show and {len(reset)} Reset buttons")
    if len(fields) != 2:
        problems.append(f"{len(fields)} key fields")
    if [f.name for f in fields] != ["KEY", "KEY"]:
        problems.append(f"key fields named {[f.name for f in fields]}, not by their label KEY")
    if problems:
        sys.exit("; ".join(problems))

    # Minterms 4, 5, 12 and 13 are the square BC'; 15 twice is a don't-care.
    for minterm in ("4", "5", "12", "13", "15", "15"):
        click(cells[minterm])
    click(show[0])
    wait_for(lambda: any(showing(f) and text_of(f) for f in fields), "an answer in a key field")
    first = [f for f in fields if showing(f)]
    if len(first) != 1:
        sys.exit(f"{len(first)} key fields showing, expected 1")
    answer = text_of(first[0])
    if answer != "BC'":
        sys.exit(f"the key field reads '{answer}', expected BC'")
    if cells["15"].name != "X":
        sys.exit(f"cell 15 reads '{cells['15'].name}' after two clicks, expected X")
    click(reset[0])
    wait_for(lambda: text_of(first[0]) == "" and all(c.name == "0" for c in cells.values()),
             "Reset to clear the map and the key field")
    print(f"accessibility: 16 cells, Show, Reset, 2 key fields; answer {answer}")
    enter_function(app)
    groups_window(app)
    steps_window(app)
    practice_window(app)


def find(app, role, name, seconds=10):
    """The first node of `role` whose name is `name`, waiting for it."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        for node in walk(app):
            if node.getRole() == role and node.name == name:
                return node
        time.sleep(0.2)
    sys.exit(f"no {role} named '{name}'")


def wait_for(condition, what, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            if condition():
                return
        except GLib.Error:  # a node read went away; read again
            pass
        time.sleep(0.2)
    sys.exit(f"timed out waiting for {what}")


def enter_function(app):
    """Edit > Enter function...: the entry is reached by its label, a
    function typed and OK pressed; the key field shows its answer."""
    click(find(app, pyatspi.ROLE_MENU_ITEM, "Enter function\u2026"))
    dialog = find(app, pyatspi.ROLE_DIALOG, "Enter function")
    entries = [n for n in walk(dialog) if n.getRole() == pyatspi.ROLE_TEXT]
    labelled = [e for e in entries
                if any(t.name == "Function:" for r in e.getRelationSet()
                       if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                       for t in [r.getTarget(i) for i in range(r.getNTargets())])]
    if len(labelled) != 1:
        sys.exit(f"{len(labelled)} entries labelled 'Function:' in the dialog")
    labelled[0].queryEditableText().setTextContents("A'B + CD'")
    ok = [b for b in walk(dialog)
          if b.getRole() == pyatspi.ROLE_PUSH_BUTTON and b.name.replace("_", "") == "OK"]
    if len(ok) != 1:
        sys.exit(f"{len(ok)} OK buttons in the dialog")
    click(ok[0])
    def answered():
        fields = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_TEXT and showing(n)]
        return any(text_of(f) == "A'B+CD'" for f in fields)
    wait_for(answered, "the answer A'B+CD'")
    print("accessibility: Enter function reached by its label; answer A'B+CD'")


def groups_window(app):
    """View > Groups: the terms and the minimum are labels a reader reads,
    without the invisible breaks between terms; the picture is an image
    that takes the focus, named by what it shows."""
    click(find(app, pyatspi.ROLE_MENU_ITEM, "Groups"))
    frame = find(app, pyatspi.ROLE_FRAME, "Tessary: Groups")
    wanted = ("Groups: A'B, CD'", "Minimal: A'B+CD'")
    wait_for(lambda: all(any(n.getRole() == pyatspi.ROLE_LABEL and n.name == w
                             for n in walk(frame)) for w in wanted), f"labels {wanted}")
    picture = find(frame, pyatspi.ROLE_IMAGE, "Shown answer: A'B+CD'")
    if not picture.getState().contains(pyatspi.STATE_FOCUSABLE):
        sys.exit("the Groups picture cannot take the focus")
    if not picture.description.startswith("Loop 1: A'B, cells 4, 5, 6, 7"):
        sys.exit(f"the Groups picture is described as '{picture.description}'")
    print("accessibility: Groups window labels read, its picture a named image")


def only_button(frame, name):
    """The one push button of the window named `name`, its mnemonic aside."""
    buttons = [b for b in walk(frame)
               if b.getRole() == pyatspi.ROLE_PUSH_BUTTON and b.name.replace("_", "") == name]
    if len(buttons) != 1:
        sys.exit(f"{len(buttons)} {name} buttons in the window '{frame.name}'")
    return buttons[0]


def steps_window(app):
    """View > Steps: the sentences are labels, and Next is a button a reader
    presses to reach the next step."""
    click(find(app, pyatspi.ROLE_MENU_ITEM, "Steps"))
    frame = find(app, pyatspi.ROLE_FRAME, "Tessary: Steps")

    def has_label(text):
        return any(n.getRole() == pyatspi.ROLE_LABEL and text in n.name for n in walk(frame))
    wait_for(lambda: has_label("take in a 1-cell: A'B, CD'."), "the primes of A'B+CD'")
    click(only_button(frame, "Next"))
    wait_for(lambda: has_label("Only A'B covers cell 4, so it is essential. "
                               "Only CD' covers cell 2, so it is essential."),
             "the essential primes of A'B+CD'")
    print("accessibility: Steps window sentences read, Next pressed")


def practice_window(app):
    """View > Practice without a mouse: the map takes the keys, a group of
    A'B+CD' is selected with the arrows and Space and added with Return, the
    map's description names it, and Check's lines are labels a reader reads."""
    click(find(app, pyatspi.ROLE_MENU_ITEM, "Practice"))
    frame = find(app, pyatspi.ROLE_FRAME, "Tessary: Practice")
    area = [n for n in walk(frame) if n.name == "Map"]
    if len(area) != 1:
        sys.exit(f"{len(area)} maps named 'Map' in the Practice window")
    wait_for(lambda: area[0].description.startswith("Cursor on cell 0 "), "the cursor on cell 0")
    # Each key but the last changes what the map says of the cursor or the
    # selection: the next key waits for that.
    for key in ("Right", "space", "Down", "space", "Down", "space", "Down", "space"):
        before = area[0].description
        pyatspi.Registry.generateKeyboardEvent(KEYSYMS[key], None, pyatspi.KEY_SYM)
        wait_for(lambda: area[0].description != before, f"the key {key} to be taken")
    pyatspi.Registry.generateKeyboardEvent(KEYSYMS["Return"], None, pyatspi.KEY_SYM)

    def has_label(text):
        return any(n.getRole() == pyatspi.ROLE_LABEL and n.name == text for n in walk(frame))
    wait_for(lambda: has_label("Added A'B."), "the group A'B added by keyboard")
    wait_for(lambda: area[0].description.endswith("\nLoop 1: A'B, cells 4, 5, 6, 7"),
             "the map's description to name its loop")
    click(only_button(frame, "Check"))
    wanted = ("A'B is an essential prime implicant.",
              "These groups are not a cover. No right group takes cells 2, 10 and 14.")
    wait_for(lambda: all(has_label(w) for w in wanted), f"labels {wanted}")
    print("accessibility: Practice group added by keyboard, Check's lines read")


KEYSYMS = {"Right": 0xFF53, "Down": 0xFF54, "space": 0x20, "Return": 0xFF0D}


if __name__ == "__main__":
    main()
