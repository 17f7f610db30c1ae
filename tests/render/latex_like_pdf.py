#!/usr/bin/env python3
"""Holds a LaTeX document to the PDF of the same drawing, word by word.

    latex_like_pdf.py DRAWN.pdf FROM_LATEX.pdf

Both are read back with pdftotext -bbox. Every word of the PDF must be in
the LaTeX one on the same page, at the same place: its left, centre or
right within 4 pt (the fonts' widths differ, so a word further along a line
keeps one of them) and its middle within 4 pt. Sizes: pdftotext's height
of a word is its font's size times that font's own ascent and descent, and
Latin Modern has a font for each design size, so the words of one size and
font in the PDF must have one height from LaTeX (within 5%) for each
weight, between 0.6 and 1.4 times the PDF's. (DejaVu's regular and bold
are of one height, Latin Modern's are not, and pdftotext does not tell the
weights apart: so two heights to a PDF height, each one of them shared.)
Prints what is wrong and exits 1; prints a summary and exits 0.
"""
import html
import re
import subprocess
import sys

WORD = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>')
PAGE = re.compile(r"<page ")
TOLERANCE = 4.0


def words(pdf):
    """By page, each word as (text, x0, y0, x1, y1)."""
    out = subprocess.run(["pdftotext", "-bbox", pdf, "-"], check=True, capture_output=True,
                         text=True).stdout
    pages = []
    for line in out.splitlines():
        if PAGE.search(line):
            pages.append([])
        elif m := WORD.search(line):
            text = html.unescape(m.group(5)).replace("\u2019", "'")
            # Ruled lines of underscores are rules in LaTeX, not text.
            text = text.strip("_")
            if text:
                pages[-1].append((text, *map(float, m.groups()[:4])))
    return pages


def distance(a, b):
    """How far apart two words are: the best of left, centre and right, and the middle."""
    horizontal = min(abs(a[1] - b[1]), abs((a[1] + a[3]) - (b[1] + b[3])) / 2, abs(a[3] - b[3]))
    vertical = abs((a[2] + a[4]) - (b[2] + b[4])) / 2
    return horizontal, vertical


def main(drawn, from_latex):
    want, have = words(drawn), words(from_latex)
    faults = []
    if len(want) != len(have):
        faults.append(f"{len(want)} pages in the PDF, {len(have)} from LaTeX")
    ratios = {}  # by the PDF's height of a word: the LaTeX one over it
    for page, (expected, found) in enumerate(zip(want, have), start=1):
        taken = set()
        for word in expected:
            candidates = [(sum(distance(word, other)), i) for i, other in enumerate(found)
                          if other[0] == word[0] and i not in taken]
            if not candidates:
                faults.append(f"page {page}: '{word[0]}' is missing from LaTeX")
                continue
            _, best = min(candidates)
            taken.add(best)
            horizontal, vertical = distance(word, found[best])
            if horizontal > TOLERANCE or vertical > TOLERANCE:
                faults.append(f"page {page}: '{word[0]}' at {word[1]:.1f},{word[2]:.1f} in the PDF "
                              f"but {found[best][1]:.1f},{found[best][2]:.1f} from LaTeX")
            height = word[4] - word[2]
            ratios.setdefault(round(height, 1), []).append((found[best][4] - found[best][2]) / height)
    for height, found_ratios in sorted(ratios.items()):
        found_ratios.sort()
        clusters = 1 + sum(1 for a, b in zip(found_ratios, found_ratios[1:]) if b > a * 1.05)
        low, high = found_ratios[0], found_ratios[-1]
        if clusters > 2 or low < 0.6 or high > 1.4:
            faults.append(f"words {height} pt high in the PDF are {low:.2f} to {high:.2f} "
                          f"times that from LaTeX, in {clusters} sizes")
    for fault in faults:
        print(fault)
    if not faults:
        count = sum(len(r) for r in ratios.values())
        print(f"{count} words in place, in {len(ratios)} sizes, each of one ratio")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
