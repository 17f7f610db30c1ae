#!/usr/bin/env bash
# The glossary's test: Tessary's catalogues keep to po/GLOSSARY, and a
# catalogue in the ruled-out words (tests/po/wrong) fails, each word named.
#   glossary_test.sh SOURCE_DIR
set -euo pipefail
root=$1
here=$(cd "$(dirname "$0")" && pwd)
python3 "$here/glossary.py" "$root"
if out=$(python3 "$here/glossary.py" "$root" "$root/po/GLOSSARY" "$here/wrong/es.po" "$here/wrong/de.po"); then
  echo "the ruled-out words passed"; exit 1
fi
status=0
for expected in \
    "es.po: 'primo\*' for prime implicant .*'los primos'" \
    "es.po: 'primo\*' for prime implicant .*dos primos o más" \
    "es.po: 'indiferencia\*' for don't care" \
    "es.po: never says 'Solución:'" \
    "de.po: 'prim' for prime implicate .*'prim, wesentlich'" \
    "de.po: 'Primterm\*' for prime implicant .*Kein Primterm" \
    "de.po: '/Datei/_Schließen' for File > Close"; do
  grep -q -- "$expected" <<<"$out" || { echo "not found: $expected"; status=1; }
done
[ $status -eq 0 ] || printf '%s\n' "$out"
exit $status
