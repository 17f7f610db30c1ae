#!/usr/bin/python3
"""Drives a running tessary through the accessibility bus, as a screen reader
or switch access would: finds the sixteen cell buttons (by their minterm
descriptions), Show, Reset and the two key fields by role, clicks through
the buttons' actions and reads the answer from the first key field."""
import sys
import time

import pyatspi


def walk(node):
    yield node
    for child in node:
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
    cells = {b.description: b for b in buttons if b.name in ("0", "1", "X") and b.description}
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
    if problems:
        sys.exit("; ".join(problems))

    # Minterms 4, 5, 12 and 13 are the square BC'; 15 twice is a don't-care.
    for minterm in ("4", "5", "12", "13", "15", "15"):
        click(cells[minterm])
    click(show[0])
    time.sleep(0.5)
    first = [f for f in fields if showing(f)]
    if len(first) != 1:
        sys.exit(f"{len(first)} key fields showing, expected 1")
    answer = text_of(first[0])
    if answer != "BC'":
        sys.exit(f"the key field reads '{answer}', expected BC'")
    if cells["15"].name != "X":
        sys.exit(f"cell 15 reads '{cells['15'].name}' after two clicks, expected X")
    click(reset[0])
    time.sleep(0.5)
    if text_of(first[0]) != "" or any(c.name != "0" for c in cells.values()):
        sys.exit("Reset did not clear the map and the key field")
    print(f"accessibility: 16 cells, Show, Reset, 2 key fields; answer {answer}")


main()
