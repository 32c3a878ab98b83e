#!/usr/bin/env bash
# Builds the Debian package, checks that its dependencies were read off the
# executable, installs it, starts the installed program under a private X
# server, closes it through the window manager and removes the package.
#
# As root, with no kotorina package on the machine, the package goes in with
# dpkg -i and out again with dpkg --purge; otherwise (not root, or a user's
# own kotorina installed that must stay untouched) it is unpacked into a
# scratch root with dpkg -x and started from there.
# Usage: deb_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
. "$source/tests/lib/desktop.sh"

kt_tmpdir tmp
cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
  kt_fail "cpack failed: $(cat "$tmp/cpack.log")"
debs=("$tmp"/pkg/kotorina_*.deb)
[[ -f ${debs[0]} ]] || kt_fail "cpack made no kotorina_*.deb: $(ls "$tmp/pkg")"
deb=${debs[0]}
echo "package: $(basename "$deb")"

# --- dependencies, as dpkg-shlibdeps worked them out -----------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
has_dependency() {
  local name
  name=$(sed 's/[][\.*^$(){}+?|]/\\&/g' <<<"$1")
  grep -Eq "(^|[,|] *)$name( |,|$)" <<<"$depends"
}
has_dependency libqt6widgets6 || kt_fail "Depends lacks libqt6widgets6"

# The package that owns a library file, whichever side of the /usr merge
# dpkg recorded it on.
owner() {
  local path candidate
  path=$(readlink -f "$1")
  for candidate in "$path" "${path#/usr}" "/usr$path"; do
    dpkg-query -S "$candidate" 2>/dev/null | head -n1 | cut -d: -f1 && return 0
  done
  return 1
}
dpkg-deb -x "$deb" "$tmp/unpacked"
binary=$tmp/unpacked/usr/bin/kotorina
[[ -x $binary ]] || kt_fail "the package holds no /usr/bin/kotorina"
# Every library the executable links directly must come from a package it
# depends on.
ldd "$binary" >"$tmp/ldd"
while read -r soname; do
  # ldd names the dynamic loader by its path alone, without "=>".
  path=$(awk -v so="$soname" '$1 == so && $2 == "=>" {print $3} $1 ~ "/" so "$" {print $1}' "$tmp/ldd" | head -n1)
  [[ $path == /* ]] || kt_fail "$soname is not found on this machine"
  package=$(owner "$path") || kt_fail "no package owns $path ($soname)"
  has_dependency "$package" || kt_fail "Depends lacks $package, which provides $soname"
done < <(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
if readelf -d "$binary" | grep -q 'libjpeg\.so\.62'; then
  has_dependency libjpeg62-turbo || kt_fail "the program loads libjpeg but Depends lacks libjpeg62-turbo"
fi

# --- install ----------------------------------------------------------------
# One package test at a time on this machine, whichever worktree runs it.
exec 9>/tmp/kotorina-deb-test.lock
flock -w 300 9 || kt_fail "another package test holds /tmp/kotorina-deb-test.lock"

# dpkg refuses to start while apt or another dpkg holds its lock (someone
# installing packages): wait for it rather than fail.
dpkg_waiting() {
  local deadline=$((SECONDS + 300))
  until dpkg "$@" >"$tmp/dpkg.log" 2>&1; do
    grep -q 'lock' "$tmp/dpkg.log" && ((SECONDS < deadline)) || return 1
    sleep 1
  done
}

status=$(dpkg-query -W -f='${Status}' kotorina 2>/dev/null || true)
if [[ $(id -u) -eq 0 && $status != *" installed" && $status != *"unpacked"* && $status != *"half-"* ]]; then
  mode=machine
  kt_on_exit "dpkg_waiting --purge kotorina"
  dpkg_waiting -i "$deb" || kt_fail "dpkg -i failed: $(cat "$tmp/dpkg.log")"
  [[ $(dpkg-query -W -f='${Status}' kotorina) == "install ok installed" ]] ||
    kt_fail "kotorina is not installed after dpkg -i"
  program=/usr/bin/kotorina
  desktop=/usr/share/applications/kotorina.desktop
else
  mode=scratch
  echo "note: kotorina already installed here, or not root: running from a scratch root"
  program=$binary
  desktop=$tmp/unpacked/usr/share/applications/kotorina.desktop
fi
[[ -x $program ]] || kt_fail "$program is not installed"
[[ -f $desktop ]] || kt_fail "$desktop is not installed"

# --- run the installed program -------------------------------------------
kt_start_x --wm
"$program" >"$tmp/program.log" 2>&1 &
pid=$!
kt_on_exit "kill -KILL $pid"
wid=$(kt_wait_window "コトリナくん" 30)
# Docks group the window under the menu entry by its class.
wm_class=$(xprop -id "$wid" WM_CLASS)
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
grep -q "\"$startup_class\"" <<<"$wm_class" ||
  kt_fail "window class $wm_class does not match StartupWMClass=$startup_class"
kt_close_window "$wid"
kt_wait_exit "$pid" 15
((KT_EXIT_CODE == 0)) || kt_fail "the installed program exited with code $KT_EXIT_CODE: $(cat "$tmp/program.log")"

# --- remove -----------------------------------------------------------------
if [[ $mode == machine ]]; then
  dpkg_waiting --purge kotorina || kt_fail "dpkg --purge failed: $(cat "$tmp/dpkg.log")"
  [[ ! -e /usr/bin/kotorina && ! -e $desktop ]] || kt_fail "files left behind after dpkg --purge"
  status=$(dpkg-query -W -f='${Status}' kotorina 2>/dev/null || true)
  [[ -z $status || $status == *"not-installed" ]] || kt_fail "package state after purge: $status"
fi
echo "deb ($mode): all checks passed"
