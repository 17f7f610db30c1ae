#!/usr/bin/env bash
# tessary-sheet as a teacher runs it: the same seed makes the same PDF and
# key, another seed other maps; the PDF opens and its text holds the key's
# answers; wrong options give status 2 and write nothing; files that cannot
# be written give status 1 and leave nothing behind.
#   tessary_sheet_test.sh TESSARY_SHEET TESSARY_KEY VERSION LOCALE_DIR
set -uo pipefail
sheet=$1 key=$2 version=$3 locale_dir=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs the sheet with ARGS; sets status, err.
run() { "$sheet" "$@" 2>"$dir/err" >"$dir/out"; status=$?; err=$(cat "$dir/err"); }

# --- the same seed, the same sheet
run -s 99 -n 8 --answers both --key "$dir/a.tsv" -o "$dir/a.pdf"
[ "$status" -eq 0 ] || fail "a good sheet: status $status: $err"
[ "$err" = "tessary-sheet: seed 99" ] || fail "the seed on standard error: '$err'"
run -s 99 -n 8 --answers both --key "$dir/b.tsv" -o "$dir/b.pdf"
cmp -s "$dir/a.pdf" "$dir/b.pdf" || fail "the same seed gave another PDF"
cmp -s "$dir/a.tsv" "$dir/b.tsv" || fail "the same seed gave another key"
run -s 100 -n 8 --answers both --key "$dir/c.tsv" -o "$dir/c.pdf"
cmp -s "$dir/a.tsv" "$dir/c.tsv" && fail "another seed gave the same maps"
[ "$(wc -l <"$dir/a.tsv")" -eq 8 ] || fail "8 exercises, $(wc -l <"$dir/a.tsv") key lines"

# --- the PDF opens, holds the seed and every answer; the key is tessary-key's
pdfinfo "$dir/a.pdf" >"$dir/info" || fail "pdfinfo cannot open the sheet"
grep -q '^Pages: *4$' "$dir/info" || fail "8 exercises and their key on 4 pages: $(grep Pages "$dir/info")"
grep -q 'A4' "$dir/info" || fail "A4 paper by default"
pdftotext "$dir/a.pdf" - | tr -d '\n\342\200\213' >"$dir/text"
grep -q 'seed 99' "$dir/text" || fail "the seed is not on the sheet"
while IFS=$'\t' read -r map shown minimal; do
  [ "$shown" = "$("$key" "$map")" ] || fail "$map: the key's shown answer is not tessary-key's"
  [ "$minimal" = "$("$key" --minimal "$map")" ] || fail "$map: the key's minimum is not tessary-key's"
  grep -qF "$minimal" "$dir/text" || fail "$map: $minimal is not in the PDF's text"
done <"$dir/a.tsv"
run -s 5 -n 3 --answers pos --paper letter --key "$dir/p.tsv" -o "$dir/p.pdf"
pdfinfo "$dir/p.pdf" | grep -q 'letter' || fail "--paper letter"
while IFS=$'\t' read -r map product; do
  [ "$product" = "$("$key" --pos "$map")" ] || fail "$map: the key's product is not tessary-key's"
done <"$dir/p.tsv"
run -s 5 -n 4 --answers hazard-free --dont-cares 10 --key "$dir/h.tsv" -o "$dir/h.pdf"
[ "$status" -eq 0 ] || fail "--answers hazard-free: status $status: $err"
while IFS=$'\t' read -r map cover; do
  [ "$cover" = "$("$key" --hazard-free "$map")" ] || fail "$map: the key's hazard-free sum is not tessary-key's"
  [ "$("$key" --hazard-free --hazards "$map")" = none ] || fail "$map: the key's cover leaves a pair"
done <"$dir/h.tsv"
pdftotext "$dir/h.pdf" - | tr '\n' ' ' | grep -q "has no static hazard" ||
  fail "--answers hazard-free: the instructions do not ask for it"

# --- laid out for a class: every word inside margins of 15 mm on both paper
# sizes, a Name and Date line, and "Page N of M" on every page
for paper in a4 letter; do
  run -s 11 -n 14 --terms 5-8 --answers both --dont-cares 25 --paper "$paper" -o "$dir/l.pdf"
  pages=$(pdfinfo "$dir/l.pdf" | sed -n 's/^Pages: *//p')
  pdftotext -bbox "$dir/l.pdf" "$dir/l.html"
  awk -v paper="$paper" '
    function attr(name) { match($0, name "=\"[0-9.]+\""); return substr($0, RSTART + length(name) + 2, RLENGTH - length(name) - 3) + 0 }
    /<page / { w = attr("width"); h = attr("height") }
    /<word / { m = 42.5
               if (attr("xMin") < m || attr("xMax") > w - m || attr("yMin") < m || attr("yMax") > h - m)
                 { print paper ": outside the margins: " $0; bad = 1 } }
    END { exit bad }' "$dir/l.html" || fail "$paper: text outside the margins"
  # the pages counted within each part: the exercises', then the key's
  keys=$(pdftotext "$dir/l.pdf" - | grep -c "^Key page [0-9]* of ")
  exercises=$(( pages - keys ))
  for page in $(seq "$pages"); do
    if [ "$page" -le "$exercises" ]; then want="Page $page of $exercises"
    else want="Key page $(( page - exercises )) of $keys"; fi
    pdftotext -f "$page" -l "$page" "$dir/l.pdf" - | grep -qx "$want" ||
      fail "$paper: no '$want' on page $page"
  done
  # maps to write in: a grid of 50 mm and more (the A'B' to AB' headings
  # span three of its four columns), digits of 11 points, headings of 9. A
  # word's box is 1.164 times its type's size in the sheet's font (DejaVu).
  pdftotext -f 1 -l 1 -bbox "$dir/l.pdf" - | awk -v paper="$paper" '
    function attr(name) { match($0, name "=\"[0-9.]+\""); return substr($0, RSTART + length(name) + 2, RLENGTH - length(name) - 3) + 0 }
    />A&apos;B&apos;</ && !first { first = (attr("xMin") + attr("xMax")) / 2
                                   heading = (attr("yMax") - attr("yMin")) / 1.164; top = attr("yMax") }
    />AB&apos;</ && !last { last = (attr("xMin") + attr("xMax")) / 2 }
    />[01X]</ && first && last && attr("xMin") > first - 40 && attr("xMax") < last + 40 &&
      attr("yMin") > top && attr("yMax") < top + (last - first) * 4 / 3 {
      digit = (attr("yMax") - attr("yMin")) / 1.164; if (!small || digit < small) small = digit }
    END { grid = (last - first) * 4 / 3 / 72 * 25.4
          if (grid < 50) { print paper ": a grid of " grid " mm"; bad = 1 }
          if (small < 11) { print paper ": digits of " small " points"; bad = 1 }
          if (heading < 9) { print paper ": headings of " heading " points"; bad = 1 }
          exit bad }' || fail "$paper: maps too small to write in"
  pdftotext -l 1 "$dir/l.pdf" - | tr '\n' ' ' | grep -q 'Name: __* *Date: __*' ||
    fail "$paper: no Name and Date line"
done

# --- the key apart: --key k.pdf takes the key pages out of the sheet
run -s 7 -n 6 --key "$dir/kp.pdf" --key "$dir/kp.tsv" -o "$dir/s.pdf"
[ "$status" -eq 0 ] || fail "--key .pdf and .tsv: status $status: $err"
pdftotext "$dir/s.pdf" - | grep -q "Answer key" && fail "--key k.pdf: the key is still in the sheet"
pdftotext "$dir/s.pdf" - | grep -qx "Page 1 of 2" || fail "--key k.pdf: the sheet's pages"
pdftotext "$dir/kp.pdf" - | grep -q "Answer key" || fail "--key k.pdf: no key in it"
pdftotext "$dir/kp.pdf" - | grep -qx "Key page 1 of 2" || fail "--key k.pdf: its pages"
[ "$(wc -l <"$dir/kp.tsv")" -eq 6 ] || fail "--key kp.tsv beside kp.pdf"
# The student's sheet gives no seed, only a code that its key prints too;
# the key gives the seed, the command that makes the sheet again and the
# one that grades the class in the key's form.
code=$(pdftotext "$dir/s.pdf" - | sed -n 's/^sheet \([0-9A-Z]\{4\}-[0-9A-Z]\{4\}\)$/\1/p' | sort -u)
[ -n "$code" ] && [ "$(wc -l <<<"$code")" -eq 1 ] || fail "the sheet's code: '$code'"
pdftotext "$dir/s.pdf" - | grep -qiE "seed|\b7\b" && fail "the student's sheet gives the seed"
pdftotext "$dir/kp.pdf" - | tr '\n' ' ' >"$dir/kp.txt"
for words in "Answer key (sheet $code)" "sheet $code, seed 7" \
    "Seed 7. The sheet again: tessary-sheet -o SHEET.pdf --seed 7 --count 6 --key KEY.tsv" \
    "Grading a class: tessary-key --grade KEY.tsv ANSWERS.csv"; do
  grep -qF -- "$words" "$dir/kp.txt" || fail "the key lacks '$words'"
done
run -s 7 -n 6 --answers hazard-free -o "$dir/h.pdf"
pdftotext "$dir/h.pdf" - | tr '\n' ' ' | grep -qF -- "tessary-key --grade KEY.tsv --hazard-free" ||
  fail "a hazard-free key does not say how to grade it"
[ "$(pdftotext "$dir/h.pdf" - | sed -n 's/^sheet \([0-9A-Z-]*\)$/\1/p' | sort -u)" != "$code" ] ||
  fail "other options gave the same code"
run -s 7 -n 1 -o "$dir/one.pdf"
pdftotext "$dir/one.pdf" - | grep -q "Karnaugh maps: 1 exercise$" || fail "-n 1: '1 exercise'"

# --- The key keeps each exercise in its column: a lone last exercise stays
# on the left, on the sheet and on the key's last page alike; a single
# exercise is centred on both.
exercise_x() { # PDF N: the left of "Exercise N", on whichever page it is
  pdftotext -bbox "$1" - | python3 -c '
import re, sys
words = re.findall(r"xMin=\"([\d.]+)\".*?>([^<]*)</word>", sys.stdin.read())
for (x, w), (_, n) in zip(words, words[1:]):
    if w == "Exercise" and n == sys.argv[1]:
        print(round(float(x))); break' "$2"
}
run -n 3 -s 576129 --terms 1-2 --answers pos --paper letter --dont-cares 10 -o "$dir/c3.pdf" \
  --key "$dir/k3.pdf"
# The same column: the key's maps may be a little smaller, centred in it.
[ "$(( $(exercise_x "$dir/c3.pdf" 3) - $(exercise_x "$dir/k3.pdf" 3) ))" -le 20 ] &&
  [ "$(( $(exercise_x "$dir/k3.pdf" 3) - $(exercise_x "$dir/c3.pdf" 3) ))" -le 20 ] ||
  fail "exercise 3 at $(exercise_x "$dir/c3.pdf" 3) on the sheet, $(exercise_x "$dir/k3.pdf" 3) on the key"
[ "$(exercise_x "$dir/c3.pdf" 3)" = "$(exercise_x "$dir/c3.pdf" 1)" ] ||
  fail "the lone exercise 3 is not in the left column"
run -n 1 -s 5 -o "$dir/c1.pdf" --key "$dir/k1.pdf"
[ "$(exercise_x "$dir/c1.pdf" 1)" = "$(exercise_x "$dir/k1.pdf" 1)" ] &&
  [ "$(exercise_x "$dir/c1.pdf" 1)" -gt 150 ] ||
  fail "a single exercise is not centred on the sheet and the key alike"

# --- Keys without empty pages: as many maps a page as the exercises, with
# both answers under each.
for case in "12 letter 3" "20 a4 5"; do
  read -r count paper most <<<"$case"
  run -s 3 -n "$count" --answers both --paper "$paper" -o "$dir/e.pdf" --key "$dir/ek.pdf"
  pages=$(pdfinfo "$dir/ek.pdf" | awk '/^Pages:/ { print $2 }')
  [ "$pages" -le "$most" ] || fail "$count exercises on $paper: $pages key pages, more than $most"
done

# --- LaTeX: the worksheet and the key as documents of their own, compiled
if command -v pdflatex >/dev/null; then
  run -s 7 -n 6 --answers both -o "$dir/ws.tex" --key "$dir/wk.tex" --key "$dir/wk.tsv"
  [ "$status" -eq 0 ] || fail "LaTeX: status $status: $err"
  for doc in ws wk; do
    (cd "$dir" && pdflatex -interaction=nonstopmode -halt-on-error "$doc.tex" >/dev/null 2>&1) ||
      fail "LaTeX: $doc.tex does not compile"
  done
  pdftotext "$dir/ws.pdf" - | grep -qx "Page 2 of 2" || fail "LaTeX: the sheet's pages"
  pdftotext "$dir/ws.pdf" - | grep -q "Answer key" && fail "LaTeX: the key is in the sheet"
  pdftotext "$dir/ws.pdf" - | grep -q "Name:" || fail "LaTeX: no Name line"
  pdftotext "$dir/wk.pdf" - | grep -qx "Key page 1 of 2" || fail "LaTeX: the key's pages"
  pdftotext "$dir/wk.pdf" - | tr -d '\n' >"$dir/wk.txt"
  while IFS=$'\t' read -r map shown minimal; do
    grep -qF "$minimal" "$dir/wk.txt" || fail "LaTeX: $minimal is not in the key"
  done <"$dir/wk.tsv"
else
  echo "SKIP: LaTeX worksheets: pdflatex is missing (texlive-latex-base, texlive-pictures)"
fi

# --- --zeros blank leaves the exercises' 0-cells empty, not the key's;
# --numbers writes each cell's minterm number
run -s 7 -n 6 --zeros blank -o "$dir/z.pdf"
pdftotext -l 1 "$dir/z.pdf" - | grep -q 0 && fail "--zeros blank: a 0 on the exercise page"
last=$(pdfinfo "$dir/z.pdf" | sed -n 's/^Pages: *//p')
pdftotext -f "$last" -l "$last" "$dir/z.pdf" - | grep -qx 0 || fail "--zeros blank: no 0 in the key"
# a product of sums is read off the 0-cells: there the 1-cells go
run -s 7 -n 6 --zeros blank --answers pos -o "$dir/zp.pdf"
pdftotext -l 1 "$dir/zp.pdf" - | grep -qx 1 && fail "--zeros blank --answers pos: a 1 on the exercise page"
pdftotext -l 1 "$dir/zp.pdf" - | grep -qx 0 || fail "--zeros blank --answers pos: no 0 on the exercise page"
run -s 7 -n 6 --numbers -o "$dir/n.pdf"
pdftotext -l 1 "$dir/n.pdf" - | grep -qx 13 || fail "--numbers: no minterm 13 on the page"
# --rows AB: A and B down the side of every map, C and D along the top
run -s 7 -n 2 --rows AB -o "$dir/r.pdf"
pdftotext -layout -l 1 "$dir/r.pdf" - | grep -q "C'D' *C'D *CD *CD'" ||
  fail "--rows AB: no C'D' C'D CD CD' along the top"
pdftotext -layout -l 1 "$dir/r.pdf" - | grep -q "^ *A'B' " || fail "--rows AB: no A'B' down the side"

# --- a Moodle quiz: -o FILE.xml, well formed, its pictures embedded, the
# same bytes for the same seed, in the reader's words; a key beside it
run -s 31 -n 4 --dont-cares 10 -o "$dir/q.xml" --key "$dir/q.tsv"
[ "$status" -eq 0 ] || fail "a quiz: status $status: $err"
head -1 "$dir/q.xml" | grep -qx '<?xml version="1.0" encoding="UTF-8"?>' || fail "a quiz's first line"
if command -v xmllint >/dev/null; then
  xmllint --noout "$dir/q.xml" || fail "the quiz is not well-formed XML"
fi
[ "$(grep -c '<question type="multichoice">' "$dir/q.xml")" -ge 4 ] || fail "the quiz's questions"
[ "$(wc -l <"$dir/q.tsv")" -eq 4 ] || fail "--key q.tsv beside a quiz"
run -s 31 -n 4 --dont-cares 10 -o "$dir/q2.xml"
cmp -s "$dir/q.xml" "$dir/q2.xml" || fail "the same seed gave another quiz"
run -s 31 -n 2 --answers pos -o "$dir/qp.xml"
grep -q "Which expression is a minimal product of sums of this map?" "$dir/qp.xml" ||
  fail "a quiz of products does not ask for a product"
LC_ALL=C.UTF-8 LANGUAGE=de TESSARY_LOCALEDIR="$locale_dir" "$sheet" -s 31 -n 2 -o "$dir/qd.xml" 2>/dev/null
grep -q "Wie viele Primimplikanten hat dieses Diagramm?" "$dir/qd.xml" || fail "a German quiz"
for answers in shown both hazard-free; do
  run -s 31 -n 2 --answers "$answers" -o "$dir/qx.xml"
  [ "$status" -eq 2 ] && [ ! -e "$dir/qx.xml" ] && grep -q "asks for a minimal sum or product" "$dir/err" ||
    fail "--answers $answers with a quiz: status $status: $err"
done

# --- wrong options: status 2, a usage message, no file
for args in "-n 0" "-n 201" "-n x" "--dont-cares 51" "--dont-cares -1" "--terms 0-3" \
            "--terms 3-9" "--terms 5-2" "--terms 4" "--answers all" "--paper a3" \
            "-s -1" "-s 18446744073709551616" "--bogus" "extra-argument" "--zeros none" "--rows BA" "--key $dir/k.txt" \
            "--key $dir/k1.pdf --key $dir/k2.pdf" "--key $dir/k1.pdf --key $dir/k2.tex"; do
  # shellcheck disable=SC2086
  run $args -o "$dir/bad.pdf"
  [ "$status" -eq 2 ] || fail "$args: status $status, expected 2"
  grep -q "Try 'tessary-sheet --help'" "$dir/err" || fail "$args: no usage hint: $err"
  [ -e "$dir/bad.pdf" ] && fail "$args: wrote a file"
done
run -n 3
[ "$status" -eq 2 ] && grep -q -- "-o FILE.pdf" "$dir/err" || fail "no -o: status $status: $err"

# --- files that cannot be written: status 1, a message, nothing left behind
mkdir "$dir/w"
run -o "$dir/w/none/sheet.pdf"
[ "$status" -eq 1 ] && grep -q "cannot write '$dir/w/none/sheet.pdf': No such file or directory" "$dir/err" ||
  fail "a sheet in a missing directory: status $status: $err"
run -o "$dir/w/sheet.pdf" --key "$dir/w/none/key.tsv"
[ "$status" -eq 1 ] && grep -q "cannot write '$dir/w/none/key.tsv'" "$dir/err" ||
  fail "a key in a missing directory: status $status: $err"
left=$(ls -A "$dir/w") || fail "cannot list $dir/w"
[ -z "$left" ] || fail "left behind: $left"
run -n 200 --terms 8-8 --dont-cares 50 -o "$dir/w/rare.pdf"
[ "$status" -eq 1 ] && grep -q "found only" "$dir/err" || fail "too rare: status $status: $err"
left=$(ls -A "$dir/w") || fail "cannot list $dir/w"
[ -z "$left" ] || fail "left behind after too rare: $left"

# --- help and version
"$sheet" --help | grep -q "^Usage: tessary-sheet" || fail "--help"
# No line of the help wider than 80 columns, in any language.
for language in en de es; do
  LC_ALL=C.UTF-8 LANGUAGE=$language TESSARY_LOCALEDIR="$locale_dir" "$sheet" --help |
    python3 -c 'import sys; sys.exit(any(len(l) > 80 for l in sys.stdin.read().split("\n")))' ||
    fail "--help in $language: a line over 80 columns"
done
[ "$("$sheet" --version)" = "tessary-sheet $version" ] || fail "--version"
"$sheet" --help >/dev/full 2>/dev/null && fail "--help to a full disk gave status 0"

# --- in German: the sheet's words and messages are German, the maps and the
# key the same; the same language and seed make the same PDF again
german() { LC_ALL=C.UTF-8 LANGUAGE=de TESSARY_LOCALEDIR="$locale_dir" "$@"; }
german "$sheet" -s 99 -n 8 --answers both --dont-cares 10 --key "$dir/de.tsv" -o "$dir/de.pdf" \
  2>"$dir/err" || fail "a German sheet: $(cat "$dir/err")"
[ "$(cat "$dir/err")" = "tessary-sheet: Startwert 99" ] || fail "German seed message: $(cat "$dir/err")"
german "$sheet" -s 99 -n 8 --answers both --dont-cares 10 -o "$dir/de2.pdf" 2>/dev/null
cmp -s "$dir/de.pdf" "$dir/de2.pdf" || fail "the same language and seed gave another PDF"
"$sheet" -s 99 -n 8 --answers both --dont-cares 10 --key "$dir/en.tsv" -o "$dir/en.pdf" 2>/dev/null
cmp -s "$dir/de.tsv" "$dir/en.tsv" || fail "the German sheet's key differs from the English one"
pdftotext "$dir/de.pdf" - | tr -d '\342\200\213' | tr '\n' ' ' >"$dir/de.txt"
for words in "KV-Diagramme: 8 Aufgaben" "Name: _" "Datum: _" "Aufgabe 8" "Antwort:" \
    "Vereinfachen Sie jedes Diagramm zu einer disjunktiven Minimalform. Ein X ist ein Don't-Care." \
    "Seite 1 von " "Lösungsschlüssel (Blatt " "Lösungsschlüssel, Seite 1 von " ", Startwert 99" \
    "Antwort von Tessary: " "Disjunktive Minimalform (die Blöcke): "; do
  grep -qF "$words" "$dir/de.txt" || fail "the German sheet lacks '$words'"
done
for words in "Exercise" "Answer key" "Page 1 of"; do
  grep -qF "$words" "$dir/de.txt" && fail "the German sheet still says '$words'"
done
german "$sheet" -s 99 -n 2 -o "$dir/de.tex" 2>/dev/null || fail "a German LaTeX sheet"
grep -qF '{Seite 1 von 1}' "$dir/de.tex" || fail "the German LaTeX footer"
german "$sheet" -n 0 -o "$dir/x.pdf" 2>"$dir/err"
grep -qF "»0« ist keine Zahl von 1 bis 200" "$dir/err" || fail "German usage message: $(cat "$dir/err")"

[ "$failures" -eq 0 ] && echo "tessary-sheet: all checks pass"
exit $((failures > 0))
