#!/usr/bin/env bash
# with_desktop.sh COMMAND...: runs COMMAND on a desktop of its own, a fresh
# Xvfb on a display number the server picks itself (so that parallel tests
# and other users' servers never collide) with openbox as window manager.
set -euo pipefail

dir=$(mktemp -d)
cleanup() {
  [[ -n ${wm_pid:-} ]] && kill "$wm_pid" 2>/dev/null || true
  [[ -n ${x_pid:-} ]] && kill "$x_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

exec 3>"$dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
x_pid=$!
for _ in $(seq 100); do [[ -s $dir/display ]] && break; sleep 0.05; done
[[ -s $dir/display ]] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -1 "$dir/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

openbox >/dev/null 2>&1 &
wm_pid=$!
# openbox announces itself on the root window once it manages the screen.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done

"$@"
