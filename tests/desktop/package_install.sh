#!/usr/bin/env bash
# Installs the Debian package with apt-get, starts /usr/bin/tessary on a
# private X server and checks that it opens its window and reads both
# pictures from /usr/share/tessary/pixmaps; then removes the package again.
#   package_install.sh DEB
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")/.." && pwd)
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap '"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tessary >/dev/null' EXIT
trace=$(mktemp)
"$here/gui/with-xvfb" bash -c '
  strace -f -e trace=openat -o "$1" /usr/bin/tessary & pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name "^Tessary$" | head -n 1)
  [ -n "$win" ] || { echo "no window"; kill $pid; exit 1; }
  timeout 10 xdotool windowfocus --sync "$win" key ctrl+q
  wait $pid
' package-check "$trace"
for picture in rc.png kmap.png; do
  grep -E "/usr/share/tessary/pixmaps/$picture\".*= [0-9]+$" "$trace" >/dev/null ||
    { echo "/usr/bin/tessary did not open /usr/share/tessary/pixmaps/$picture"; exit 1; }
done
rm -f "$trace"
[ "$(/usr/bin/tessary-key --minimal 0111/1111/1101/1111)" = "A'B+B'C+C'D+AD'" ] ||
  { echo "/usr/bin/tessary-key gives no minimum"; exit 1; }
sheet=$(mktemp -d)
/usr/bin/tessary-sheet -s 1 -n 2 -o "$sheet/sheet.pdf" 2>/dev/null && [ -s "$sheet/sheet.pdf" ] ||
  { echo "/usr/bin/tessary-sheet wrote no worksheet"; rm -rf "$sheet"; exit 1; }
rm -rf "$sheet"
echo "package: installed, /usr/bin/tessary opened its window and both pictures;" \
  "tessary-key and tessary-sheet answer"
