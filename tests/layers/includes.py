#!/usr/bin/env python3
"""Holds the #include lines of src/ to the layers of Tessary.

Each folder of src/ may include the folders of its row below and nothing
else of ours; cairo and pango stay in render/ and app/, GTK in app/, and
that through any chain of headers, not only directly. Run from anywhere:
    tests/layers/includes.py [SRC]
Prints each include that goes the wrong way and exits 1; 0 when none does.
"""
import os
import re
import sys

LIBRARIES = {"logic", "words", "files", "input", "minimiser", "exact", "render",
             "teach", "answers", "views", "kit"}

# Which folders each folder may include, besides its own.
MAY_INCLUDE = {
    "logic": set(),
    "words": set(),
    "files": {"words"},
    "input": {"logic", "words"},
    "minimiser": {"logic"},
    "exact": {"logic"},
    "render": {"logic", "files", "words"},
    "teach": {"logic", "exact", "minimiser", "words"},
    # The answers draw nothing: their pictures and captions are views.
    "answers": {"logic", "words", "input", "minimiser", "exact", "teach"},
    "views": {"logic", "words", "input", "minimiser", "exact", "render", "teach", "answers"},
    # The command-line faces' kit: exits, help, usage errors, options.
    "kit": {"logic", "words", "input"},
    # The faces use the libraries, never one another.
    "cli": LIBRARIES,
    "sheet": LIBRARIES,
    "app": LIBRARIES,
}

# System headers that only some folders may reach, by the start of the name.
CONFINED = {
    "cairo": ("<cairo", {"render", "app"}),
    "pango": ("<pango/", {"render", "app"}),
    "gtk": ("<gtk/", {"app"}),
    "gdk": ("<gdk/", {"app"}),
    "glib": ("<glib", {"app"}),
}

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANGLED = re.compile(r'^\s*#\s*include\s+(<[^>]+>)')


def includes_of(path):
    quoted, angled = [], []
    with open(path, encoding="utf-8") as source:
        for line in source:
            if m := QUOTED.match(line):
                quoted.append(m.group(1))
            elif m := ANGLED.match(line):
                angled.append(m.group(1))
    return quoted, angled


def resolve(src, including, name):
    """The file a quoted include names: beside the including file, or from src/."""
    for candidate in (os.path.join(os.path.dirname(including), name), os.path.join(src, name)):
        if os.path.isfile(candidate):
            return os.path.normpath(candidate)
    return None  # generated (tessary_config.h) or a system header


def folder_of(src, path):
    return os.path.relpath(path, src).split(os.sep)[0]


def reached(src, path, seen):
    """Every system header `path` reaches through our headers, with the chain."""
    found = {}
    quoted, angled = includes_of(path)
    for header in angled:
        found.setdefault(header, [path])
    for name in quoted:
        target = resolve(src, path, name)
        if target is None or target in seen:
            continue
        seen.add(target)
        for header, chain in reached(src, target, seen).items():
            found.setdefault(header, [path] + chain)
    return found


def check(src):
    faults = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            folder = folder_of(src, path)
            allowed = MAY_INCLUDE.get(folder)
            if allowed is None:
                faults.append(f"{path}: the folder {folder} has no row in the table of layers")
                continue
            for include in includes_of(path)[0]:
                target = resolve(src, path, include)
                if target is None:
                    continue
                other = folder_of(src, target)
                if other != folder and other not in allowed:
                    faults.append(f"{path}: includes {include}, but {folder} may not use {other}")
            for header, chain in reached(src, path, {path}).items():
                for what, (prefix, folders) in CONFINED.items():
                    if header.startswith(prefix) and folder not in folders:
                        faults.append(f"{path}: reaches {header} ({what}) through "
                                      + " -> ".join(chain))
    return faults


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
    faults = check(os.path.normpath(src))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
