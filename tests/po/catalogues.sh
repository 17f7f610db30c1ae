#!/usr/bin/env bash
# The translations as a translator leaves them: every catalogue passes
# msgfmt --check and is complete (nothing untranslated or fuzzy, every
# message of the template there), the template holds every text the sources
# mark, and within each menu, each window's row of buttons and each dialog
# the underlined letters stay different.
#   catalogues.sh SOURCE_DIR
set -euo pipefail
root=$1 po=$1/po
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0

# The template against a fresh one from the sources: the same messages.
"$po/make-pot" "$scratch/fresh.pot"
msgcmp --use-untranslated "$po/tessary.pot" "$scratch/fresh.pot" ||
  { echo "po/tessary.pot lacks texts the sources mark: refresh it with the tessary-pot target"; status=1; }
msgcmp --use-untranslated "$scratch/fresh.pot" "$po/tessary.pot" ||
  { echo "po/tessary.pot holds texts the sources no longer mark"; status=1; }

for language in $(grep -v '^#' "$po/LINGUAS"); do
  file=$po/$language.po
  statistics=$(msgfmt --check --statistics -o /dev/null "$file" 2>&1) ||
    { echo "$language: msgfmt --check: $statistics"; status=1; continue; }
  case $statistics in
    *untranslated* | *fuzzy*) echo "$language: incomplete: $statistics"; status=1 ;;
  esac
  msgcmp "$file" "$po/tessary.pot" || { echo "$language: messages of the template missing"; status=1; }
  python3 - "$file" <<'PY' || status=1
import re, sys
# Each group's labels, by msgid: the menus by their paths' parents; the rows
# of buttons of each window.
groups = {
    "Groups window": ["Shown _answer", "_Minimal sum", "Minimal _product", "Hazard-_free sum",
                      "Hazard-free pr_oduct", "_Hazards", "_Save\u2026", "_Close"],
    "Steps window": ["_Sum of products", "_Product of sums", "_Back", "_Next", "_Close"],
    "Practice window": ["_Sum", "_Product", "_Add group", "_Remove", "C_lear", "_Check",
                        "_New map", "Cl_ose"],
    "Enter function": ["_Function:", "_Don't-cares:"],
}
text = open(sys.argv[1], encoding="utf-8").read()
def unquote(s):
    return "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', s)).encode().decode("unicode_escape").encode("latin-1").decode()
found = {}
for msgid, msgstr in re.findall(r'\nmsgid ((?:"[^\n]*"\n)+)msgstr ((?:"[^\n]*"\n?)+)', text):
    found[unquote(msgid)] = unquote(msgstr)
for msgid in found:
    if msgid.startswith("/") and msgid.count("/") >= 1:
        parent = msgid.rsplit("/", 1)[0] or "menu bar"
        groups.setdefault("menu " + parent, []).append(msgid)
def letter(label):
    at = label.find("_")
    return label[at + 1].lower() if 0 <= at < len(label) - 1 else None
bad = False
for name, msgids in groups.items():
    seen = {}
    for msgid in msgids:
        label = found.get(msgid, msgid).rsplit("/", 1)[-1] if msgid.startswith("/") else found.get(msgid, msgid)
        key = letter(label)
        if key is None:
            print(f"{sys.argv[1]}: {name}: '{label}' has no underlined letter"); bad = True
        elif key in seen:
            print(f"{sys.argv[1]}: {name}: '{label}' and '{seen[key]}' share the letter {key}"); bad = True
        else:
            seen[key] = label
sys.exit(1 if bad else 0)
PY
done
exit $status
