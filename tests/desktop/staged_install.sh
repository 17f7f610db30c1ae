#!/usr/bin/env bash
# Installs the build tree into a staging directory (DESTDIR), once under the
# build's own prefix and once under /usr, and checks what lands where: the
# programs, the pictures in the directory the program reads (which follows
# the prefix), the desktop entry, metainfo, icons, manual pages and docs.
#   staged_install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 app_id=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

check_prefix() {
  local prefix=$1 root="$stage$1" missing=0
  rm -rf "${stage:?}"/*
  DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
  for file in \
      bin/tessary bin/tessary-key bin/tessary-sheet \
      share/tessary/pixmaps/rc.png share/tessary/pixmaps/kmap.png \
      "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
      "share/icons/hicolor/16x16/apps/$app_id.png" "share/icons/hicolor/48x48/apps/$app_id.png" \
      "share/icons/hicolor/128x128/apps/$app_id.png" "share/icons/hicolor/scalable/apps/$app_id.svg" \
      share/man/man1/tessary.1.gz share/man/man1/tessary-key.1.gz share/man/man1/tessary-sheet.1.gz \
      share/doc/tessary/copyright share/doc/tessary/changelog.gz \
      share/locale/de/LC_MESSAGES/tessary.mo share/locale/es/LC_MESSAGES/tessary.mo; do
    [ -f "$root/$file" ] || { echo "$prefix: missing $file"; missing=1; }
  done
  [ -x "$root/bin/tessary" ] && [ -x "$root/bin/tessary-key" ] && [ -x "$root/bin/tessary-sheet" ] || { echo "$prefix: programs not executable"; missing=1; }
  # The icon sizes are what their directories say.
  for size in 16 48 128; do
    file "$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png" | grep -q "$size x $size" ||
      { echo "$prefix: the ${size}-pixel icon is not $size pixels"; missing=1; }
  done
  return $missing
}

check_prefix "$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
check_prefix /usr
# The program built here reads its pictures under the prefix it was
# configured with, and the install puts them there.
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
grep -qF "$prefix/share/tessary/pixmaps" "$build/src/app/tessary" ||
  { echo "tessary does not read $prefix/share/tessary/pixmaps"; exit 1; }
# So do the translations, for all three programs.
for program in src/app/tessary src/cli/tessary-key src/sheet/tessary-sheet; do
  grep -qF "$prefix/share/locale" "$build/$program" ||
    { echo "$program does not read its translations under $prefix/share/locale"; exit 1; }
done
echo "staged install: every file in place under $prefix and /usr"
