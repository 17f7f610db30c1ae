#!/usr/bin/env python3
"""The catalogues speak as the textbooks do: every catalogue uses the words
po/GLOSSARY gives for its language, and none of the words it rules out.
    glossary.py SOURCE_DIR [GLOSSARY CATALOGUE...]
With only SOURCE_DIR, po/GLOSSARY and each language's catalogue of po/LINGUAS.
"""
import re
import sys


def unquote(lines):
    text = "".join(re.match(r'^(?:\S+ )?"(.*)"$', line).group(1) for line in lines)
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), text)


def translations(path):
    """Each message of a catalogue as (msgid, [msgstr...]), the header left out."""
    found = []
    with open(path, encoding="utf-8") as f:
        blocks = f.read().split("\n\n")
    for block in blocks:
        fields, current = {}, None
        for line in block.split("\n"):
            if not line or line.startswith("#"):
                continue
            keyword = re.match(r"^(msgctxt|msgid_plural|msgid|msgstr(?:\[\d\])?) ", line)
            if keyword:
                current = keyword.group(1)
                fields[current] = []
            fields[current].append(line)
        if "msgid" not in fields:
            continue
        msgid = unquote(fields["msgid"])
        if msgid:
            found.append((msgid, [unquote(v) for k, v in fields.items() if k.startswith("msgstr")]))
    return found


def pattern(words):
    """A glossary entry as a regular expression: '*' for any ending, whole words."""
    body = r"\w*".join(re.escape(part) for part in words.split("*"))
    start = r"(?<!\w)" if re.match(r"\w", words) else ""
    end = r"(?!\w)" if not words.endswith("*") and re.search(r"\w$", words) else ""
    return re.compile(start + body + end)


def read_glossary(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            cells = [c.strip() for c in line.rstrip("\n").split(" | ")]
            if len(cells) != 4:
                sys.exit(f"{path}:{number}: a row has four columns: language | term | use | not")
            language, term, use, ruled_out = cells
            rows.append((language, term, [w for w in use.split("; ") if w],
                         [] if ruled_out == "-" else [w for w in ruled_out.split("; ") if w]))
    return rows


def check(glossary_path, catalogues):
    rows = read_glossary(glossary_path)
    faults = []
    for catalogue in catalogues:
        language = re.sub(r"\.po$", "", catalogue.rsplit("/", 1)[-1])
        messages = translations(catalogue)
        own = [row for row in rows if row[0] == language]
        # The words to use, longest first, so that "implicante primo" goes
        # before a ruled-out "primo" is looked for.
        used = sorted((pattern(w) for _, _, use, _ in own for w in use),
                      key=lambda p: -len(p.pattern))
        for _, term, use, ruled_out in own:
            for words in use:
                p = pattern(words)
                if not any(p.search(s) for _, strings in messages for s in strings):
                    faults.append(f"{catalogue}: never says '{words}' ({term})")
            for msgid, strings in messages:
                for text in strings:
                    rest = text
                    for p in used:
                        rest = p.sub(" ", rest)
                    for words in ruled_out:
                        if pattern(words).search(rest):
                            faults.append(f"{catalogue}: '{words}' for {term}, where the "
                                          f"textbooks say '{'; '.join(use)}': {text!r} "
                                          f"(for {msgid!r})")
    return faults


def main():
    root = sys.argv[1]
    if len(sys.argv) > 2:
        glossary_path, catalogues = sys.argv[2], sys.argv[3:]
    else:
        glossary_path = f"{root}/po/GLOSSARY"
        with open(f"{root}/po/LINGUAS", encoding="utf-8") as f:
            languages = [l.strip() for l in f if l.strip() and not l.startswith("#")]
        catalogues = [f"{root}/po/{language}.po" for language in languages]
    faults = check(glossary_path, catalogues)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
