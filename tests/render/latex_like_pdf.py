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
Spacing: TeX spaces the words of a line itself, so the gaps between the
words of one line of text (words less than a font size apart in the PDF)
must be as even from LaTeX as in the PDF: the widest gap of a line over its
narrowest no more than 1.25 times the PDF's, or within 1 pt of it.
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


def uneven_lines(page, expected, found, matched):
    """The lines whose gaps between words LaTeX spaces less evenly than the PDF."""
    faults = []
    lines = {}
    for i, word in enumerate(expected):
        lines.setdefault(round(word[4], 0), []).append(i)
    for members in lines.values():
        members.sort(key=lambda i: expected[i][1])
        pdf_gaps, tex_gaps = [], []
        for a, b in zip(members, members[1:]):
            left, right = expected[a], expected[b]
            gap = right[1] - left[3]
            if a not in matched or b not in matched or gap > (left[4] - left[2]) * 0.8:
                continue
            tex_left, tex_right = found[matched[a]], found[matched[b]]
            if abs(tex_left[4] - tex_right[4]) > 1:
                continue
            pdf_gaps.append(gap)
            tex_gaps.append(tex_right[1] - tex_left[3])
        if len(pdf_gaps) < 2 or min(pdf_gaps) <= 0 or min(tex_gaps) <= 0:
            continue
        pdf_ratio, tex_ratio = max(pdf_gaps) / min(pdf_gaps), max(tex_gaps) / min(tex_gaps)
        if tex_ratio > pdf_ratio * 1.25 and max(tex_gaps) - min(tex_gaps) > 1:
            words = " ".join(expected[i][0] for i in members)
            faults.append(f"page {page}: gaps of '{words}' from {min(tex_gaps):.1f} to "
                          f"{max(tex_gaps):.1f} pt from LaTeX, {min(pdf_gaps):.1f} to "
                          f"{max(pdf_gaps):.1f} in the PDF")
    return faults


def main(drawn, from_latex):
    want, have = words(drawn), words(from_latex)
    faults = []
    if len(want) != len(have):
        faults.append(f"{len(want)} pages in the PDF, {len(have)} from LaTeX")
    ratios = {}  # by the PDF's height of a word: the LaTeX one over it
    for page, (expected, found) in enumerate(zip(want, have), start=1):
        taken = set()
        matched = {}  # a word of the PDF's page by its index: its LaTeX word's
        for index, word in enumerate(expected):
            candidates = [(sum(distance(word, other)), i) for i, other in enumerate(found)
                          if other[0] == word[0] and i not in taken]
            if not candidates:
                faults.append(f"page {page}: '{word[0]}' is missing from LaTeX")
                continue
            _, best = min(candidates)
            taken.add(best)
            matched[index] = best
            horizontal, vertical = distance(word, found[best])
            if horizontal > TOLERANCE or vertical > TOLERANCE:
                faults.append(f"page {page}: '{word[0]}' at {word[1]:.1f},{word[2]:.1f} in the PDF "
                              f"but {found[best][1]:.1f},{found[best][2]:.1f} from LaTeX")
            height = word[4] - word[2]
            ratios.setdefault(round(height, 1), []).append((found[best][4] - found[best][2]) / height)
        faults += uneven_lines(page, expected, found, matched)
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
