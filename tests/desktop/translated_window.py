#!/usr/bin/python3
"""Reads a running tessary's menus, buttons and windows through the
accessibility bus and checks them against the words of its language."""
import sys
import time

import pyatspi

from accessibility import click, find_app, walk

# What each language shows: the menus (mnemonics taken out, as the bus gives
# them), the main window's buttons, and the Practice window's title and
# buttons; and English words that must be gone.
WORDS = {
    "de": {
        "menus": ["Datei", "Bearbeiten", "Ansicht", "Hilfe", "Bild speichern…", "Beenden",
                  "Funktion eingeben…", "Gruppen", "Schritte", "Üben", "Mintermnummern", "Info"],
        "buttons": ["Anzeigen", "Löschen"],
        "practice": "Tessary: Üben",
        "practice_buttons": ["Gruppe hinzufügen", "Entfernen", "Leeren", "Prüfen",
                             "Neues Diagramm", "Schließen"],
    },
    "es": {
        "menus": ["Archivo", "Editar", "Ver", "Ayuda", "Guardar imagen…", "Cerrar",
                  "Introducir función…", "Grupos", "Pasos", "Práctica",
                  "Números de mintérmino", "Acerca de"],
        "buttons": ["Mostrar", "Borrar"],
        "practice": "Tessary: Práctica",
        "practice_buttons": ["Añadir grupo", "Quitar", "Vaciar", "Comprobar", "Nuevo mapa",
                             "Cerrar"],
    },
}
ENGLISH = ["File", "Edit", "View", "Help", "Show", "Reset", "Practice", "Groups", "Steps"]


def names(nodes, roles):
    return {n.name.strip() for n in nodes if n.getRole() in roles}


def frame_named(app, title, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for frame in app:
            if frame is not None and frame.name == title:
                return frame
        time.sleep(0.2)
    sys.exit(f"no window '{title}'")


def main():
    words = WORDS[sys.argv[1]]
    app = find_app("tessary")
    main_window = frame_named(app, "Tessary")
    nodes = list(walk(main_window))
    menus = names(nodes, (pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM))
    buttons = names(nodes, (pyatspi.ROLE_PUSH_BUTTON,))
    faults = [f"menu '{w}' missing" for w in words["menus"] if w not in menus]
    faults += [f"button '{w}' missing" for w in words["buttons"] if w not in buttons]
    faults += [f"English '{w}' still shown" for w in ENGLISH if w in menus | buttons]
    # The Practice window, opened from its (translated) menu item.
    item = next(n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_ITEM
                and n.name == words["menus"][9])
    click(item)
    practice = frame_named(app, words["practice"])
    shown = names(list(walk(practice)), (pyatspi.ROLE_PUSH_BUTTON,))
    faults += [f"Practice button '{w}' missing" for w in words["practice_buttons"]
               if w not in shown]
    if faults:
        sys.exit("\n".join(faults) + f"\nmenus: {sorted(menus)}\nbuttons: {sorted(buttons | shown)}")
    print(f"{sys.argv[1]}: menus, buttons and the Practice window translated")


if __name__ == "__main__":
    main()
