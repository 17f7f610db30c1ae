#!/usr/bin/env bash
# The LaTeX of a picture and of a worksheet with its key, compiled by
# pdflatex, has every word of the PDF of the same drawing at the same place
# and at one size (latex_like_pdf.py): pictures in every form, with minterm
# numbers and with A and B down the side; worksheets on A4 and on letter.
#   latex_like_pdf.sh TESSARY-KEY TESSARY-SHEET LOCALE-DIR
set -euo pipefail
key=$1 sheet=$2 locale_dir=$3
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v pdflatex >/dev/null; then
  echo "SKIP: pdflatex is missing (texlive-latex-base, texlive-pictures)"; exit 0
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

# Compiles $1.tex beside $1.pdf and holds the one to the other.
compare() {
  local name=$1
  mv "$dir/$name.pdf" "$dir/$name-cairo.pdf"
  (cd "$dir" && HOME="$dir" pdflatex -interaction=nonstopmode -halt-on-error "$name.tex" \
    >/dev/null 2>&1) || { echo "FAIL: $name.tex does not compile"; failed=1; return; }
  if grep -E '^(Underfull|Overfull) ' "$dir/$name.log"; then
    echo "FAIL: $name.tex: boxes badly filled"; failed=1
  fi
  if ! out=$("$here/latex_like_pdf.py" "$dir/$name-cairo.pdf" "$dir/$name.pdf"); then
    echo "FAIL: $name:"; echo "$out"; failed=1
  else
    echo "$name: $out"
  fi
}

n=0
for map in 0011/1111/1100/0000 1X10/0101/1010/01X1 0110/1111/1011/0100; do
  for form in "" --minimal --pos; do
    for look in "" --numbers "--rows AB" "--numbers --rows AB"; do
      n=$((n + 1))
      # shellcheck disable=SC2086
      "$key" $form $look --draw "$dir/p$n.pdf" "$map" >/dev/null
      # shellcheck disable=SC2086
      "$key" $form $look --draw "$dir/p$n.tex" "$map" >/dev/null
      compare "p$n"
    done
  done
done

# Hazard pairs marked, in both forms, and the terms a hazard-free cover adds.
for args in "--minimal --hazards 0011/1111/1100/0000" "--pos --hazards --rows AB 1100/0000/0011/1111" \
            "--hazard-free --numbers 0011/1111/1100/0000" "--pos --hazard-free 0011/1111/1100/0000"; do
  n=$((n + 1))
  # shellcheck disable=SC2086
  "$key" $args --draw "$dir/p$n.pdf" >/dev/null
  # shellcheck disable=SC2086
  "$key" $args --draw "$dir/p$n.tex" >/dev/null
  compare "p$n"
done
# The prime-implicant chart: a cyclic core and its products, one solved by
# the rounds, a product of sums; every prime on it.
for args in "0110/1111/1101/1111" "1100/0100/1000/1000" "--pos 1100/0000/0010/0000" \
            "0111/1111/1101/1111"; do
  n=$((n + 1))
  # shellcheck disable=SC2086
  "$key" --chart $args --draw "$dir/c$n.pdf" >/dev/null
  # shellcheck disable=SC2086
  "$key" --chart $args --draw "$dir/c$n.tex" >"$dir/c$n.txt"
  compare "c$n"
  text=$(pdftotext "$dir/c$n-cairo.pdf" - | tr '\n' ' ')
  while read -r word name _; do
    [ "$word" = prime: ] || continue
    grep -qF "$name " <<<"$text" || { echo "FAIL: chart $args: $name is not on it"; failed=1; }
  done <"$dir/c$n.txt"
done

# Long hazard lines and long legend entries wrap within the picture: every
# word inside it, and every pair that --hazards names on it.
for args in "--minimal 1111/1110/1111/1011" "--pos 0001/0110/1101/0111" \
            "--hazard-free 0111/1110/1111/1011" "0111/1110/1111/1011"; do
  for look in "" "--rows AB"; do
    # shellcheck disable=SC2086
    "$key" $args $look --hazards --draw "$dir/wide$look.pdf" >/dev/null
  done
  # shellcheck disable=SC2086
  pairs=$("$key" $args --hazards | tail -1)
  words=$(for f in "$dir/wide.pdf" "$dir/wide--rows AB.pdf"; do pdftotext -bbox "$f" -; done | awk '
    function attr(name) { match($0, name "=\"[0-9.]+\""); return substr($0, RSTART + length(name) + 2, RLENGTH - length(name) - 3) + 0 }
    /<page / { w = attr("width"); h = attr("height") }
    /<word / { if (attr("xMax") > w || attr("yMax") > h) print "off the picture: " $0 }')
  [ -z "$words" ] || { echo "FAIL: $args: $words"; failed=1; }
  text=$(pdftotext "$dir/wide--rows AB.pdf" - | tr '\n' ' ')
  for pair in $pairs; do
    [ "$pair" = none ] || grep -qE "(^| )$pair[, ]" <<<"$text " ||
      { echo "FAIL: $args: the pair $pair is not on the picture"; failed=1; }
  done
done

# Where an answer leaves no pair, --hazards changes nothing of the picture.
for format in svg pdf tex; do
  "$key" --minimal --draw "$dir/plain.$format" 1001/0110/0110/1001 >/dev/null
  "$key" --minimal --hazards --draw "$dir/marked.$format" 1001/0110/0110/1001 >/dev/null
  cmp -s "$dir/plain.$format" "$dir/marked.$format" ||
    { echo "FAIL: --hazards without pairs changed the .$format picture"; failed=1; }
done
"$key" --minimal --hazards --draw "$dir/pairs.tex" 0011/1111/1100/0000 >/dev/null
grep -qF "{Hazards: 1-9, 5-13}" "$dir/pairs.tex" || { echo "FAIL: no hazard legend in LaTeX"; failed=1; }

for paper in a4 letter; do
  # A single exercise (centred), a lone last one (left), long products of sums.
  for options in "-n 5 --answers both --numbers" "-n 3 --answers pos --dont-cares 10" \
                 "-n 1 --answers minimal --rows AB" "-n 4 --answers pos --terms 5-6"; do
    n=$((n + 1))
    # shellcheck disable=SC2086
    "$sheet" -s 12 --paper "$paper" $options -o "$dir/w$n.pdf" 2>/dev/null
    # shellcheck disable=SC2086
    "$sheet" -s 12 --paper "$paper" $options -o "$dir/w$n.tex" 2>/dev/null
    compare "w$n"
    # shellcheck disable=SC2086
    "$sheet" -s 12 --paper "$paper" $options -o "$dir/x.pdf" --key "$dir/k$n.pdf" 2>/dev/null
    # shellcheck disable=SC2086
    "$sheet" -s 12 --paper "$paper" $options -o "$dir/x.pdf" --key "$dir/k$n.tex" 2>/dev/null
    compare "k$n"
  done
done
# A German sheet with don't-cares, and its key: the instructions stand whole
# in the .tex, where a teacher can change them.
german() { LC_ALL=C.UTF-8 LANGUAGE=de TESSARY_LOCALEDIR="$locale_dir" "$@"; }
n=$((n + 1))
german "$sheet" -s 43 -n 6 --dont-cares 10 --answers both --paper a4 \
  -o "$dir/w$n.pdf" 2>/dev/null
german "$sheet" -s 43 -n 6 --dont-cares 10 --answers both --paper a4 \
  -o "$dir/w$n.tex" 2>/dev/null
compare "w$n"
sed -e 's/\\\\$/ /' -e "s/\\\\textquotesingle{}/'/g" "$dir/w$n.tex" | tr -d '\n' |
  grep -qF "$(pdftotext "$dir/w$n-cairo.pdf" - | sed -n '/^Vereinfachen/,/\.$/p' | tr '\n' ' ' |
  sed 's/ $//')" || { echo "FAIL: the German instructions are not whole in the .tex"; failed=1; }

# The .tikz alone, \input into a document that loads nothing but tikz.
"$key" --minimal --hazards --numbers --draw "$dir/own.tikz" 0011/1111/1100/0000 >/dev/null
printf '%s\n' '\documentclass{article}' '\usepackage{tikz}' '\begin{document}' \
  'A map of our own:\par' '\input{own.tikz}' '\end{document}' >"$dir/own.tex"
(cd "$dir" && HOME="$dir" pdflatex -interaction=nonstopmode -halt-on-error own.tex >/dev/null 2>&1) ||
  { echo "FAIL: a .tikz does not \\input into a document"; failed=1; }
pdftotext "$dir/own.pdf" - | grep -q "Hazards: 1-9, 5-13" ||
  { echo "FAIL: the \\input picture lacks its legend"; failed=1; }
grep -q documentclass "$dir/own.tikz" && { echo "FAIL: .tikz is a whole document"; failed=1; }
# A .tex picture is a page of the picture's size.
"$key" --minimal --draw "$dir/page.tex" 0011/1111/1100/0000 >/dev/null
"$key" --minimal --draw "$dir/page.pdf" 0011/1111/1100/0000 >/dev/null
mv "$dir/page.pdf" "$dir/page-cairo.pdf"
(cd "$dir" && HOME="$dir" pdflatex -interaction=nonstopmode -halt-on-error page.tex >/dev/null 2>&1)
[ "$(pdfinfo "$dir/page.pdf" | grep 'Page size')" = "$(pdfinfo "$dir/page-cairo.pdf" | grep 'Page size')" ] ||
  { echo "FAIL: the .tex page is not the picture's size"; failed=1; }
# Nothing LaTeX made wrote into the home folder: its fonts were ready.
[ -z "$(find "$dir" -name '.texlive*' -o -name '.texmf*')" ] ||
  { echo "FAIL: pdflatex made fonts on the fly"; failed=1; }
exit "$failed"
