#!/usr/bin/env bash
# Installs the build into a scratch root and checks what a desktop reads
# there: the menu entry and the software-centre description are valid, they
# point at each other, at the installed executable and at icons of the sizes
# their folders claim.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
. "$source/tests/lib/desktop.sh"

kt_tmpdir tmp
root=$tmp/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$tmp/install.log" ||
  kt_fail "cmake --install failed: $(cat "$tmp/install.log")"

usr=$root/usr
desktop=$usr/share/applications/kotorina.desktop
metainfo=$usr/share/metainfo/example.kotorina.Kotorina.metainfo.xml
[[ -x $usr/bin/kotorina ]] || kt_fail "no executable at /usr/bin/kotorina"
[[ -f $desktop ]] || kt_fail "no desktop entry at ${desktop#"$root"}"
[[ -f $metainfo ]] || kt_fail "no metainfo at ${metainfo#"$root"}"
[[ -f $usr/share/doc/kotorina/copyright ]] || kt_fail "no licence at /usr/share/doc/kotorina/copyright"

desktop-file-validate "$desktop" || kt_fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || kt_fail "appstreamcli rejects the metainfo"

# The first value of KEY in the [Desktop Entry] group.
entry() {
  sed -n '/^\[Desktop Entry\]/,/^\[/p' "$desktop" | sed -n "s/^$1=//p" | head -n1
}
[[ $(entry Name) == "コトリナくん" ]] || kt_fail "desktop entry Name is '$(entry Name)'"
exec_name=$(entry Exec)
exec_name=${exec_name%% *}
[[ -x $usr/bin/$exec_name ]] || kt_fail "Exec=$exec_name is not an installed program"
[[ $(entry Terminal) == false ]] || kt_fail "the entry would start a terminal"
# The window's class is the program's title, derived from its file name.
[[ $(entry StartupWMClass) == "$exec_name" ]] ||
  kt_fail "StartupWMClass '$(entry StartupWMClass)' does not name the program '$exec_name'"

launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[[ -f $usr/share/applications/$launchable ]] ||
  kt_fail "the metainfo launches '$launchable', which is not installed"
grep -q "<binary>$exec_name</binary>" "$metainfo" || kt_fail "the metainfo does not provide the binary $exec_name"

# Icons: the 32 x 32 one for panels and a larger one for menus and docks,
# each exactly the size its folder names, and every drawn size installed.
icon=$(entry Icon)
hicolor=$usr/share/icons/hicolor
[[ -f $hicolor/32x32/apps/$icon.png ]] || kt_fail "no 32x32 icon for Icon=$icon"
large=0
for png in "$hicolor"/*x*/apps/"$icon".png; do
  [[ -f $png ]] || continue
  folder=${png#"$hicolor/"}
  folder=${folder%%/*}
  actual=$(identify -format '%wx%h' "$png")
  [[ $actual == "$folder" ]] || kt_fail "icon in $folder is $actual pixels"
  ((${folder%%x*} >= 128)) && large=1
done
((large)) || kt_fail "no icon of 128x128 or larger"
for drawn in "$source"/resources/kotorina-*.png; do
  [[ -f $drawn ]] || continue
  size=${drawn##*-}
  size=${size%.png}
  cmp -s "$drawn" "$hicolor/${size}x${size}/apps/$icon.png" || kt_fail "$(basename "$drawn") was not installed"
done
echo "install: all checks passed"
