#!/usr/bin/env bash
# close_test.sh KOTORINA: the program started as a user starts it shows one
# window with the taskbar entry's properties, and ends with exit code 0
# however the window is closed, or when the session ends.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
program=$1

for way in wm-close alt-f4 sigterm; do
  "$program" 2>/dev/null &
  pid=$!
  window=$(wait_for_window "$pid") || fail "$way: no window"

  if [[ $way == wm-close ]]; then
    # The taskbar entry: the icon name and the class hint carry the title,
    # the window name is the caption, the icon is the 32 x 32 MAINICON.
    [[ $(property "$window" WM_NAME) == '"コトリナくん"' ]] || fail "WM_NAME: $(property "$window" WM_NAME)"
    [[ $(property "$window" _NET_WM_NAME) == '"コトリナくん"' ]] || fail "_NET_WM_NAME"
    [[ $(property "$window" WM_ICON_NAME) == '"kotorina"' ]] || fail "WM_ICON_NAME: $(property "$window" WM_ICON_NAME)"
    [[ $(property "$window" _NET_WM_ICON_NAME) == '"kotorina"' ]] || fail "_NET_WM_ICON_NAME"
    [[ $(property "$window" WM_CLASS) == '"kotorina", "kotorina"' ]] || fail "WM_CLASS: $(property "$window" WM_CLASS)"
    xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "_NET_WM_ICON"
    # Exactly one window of the program is managed: one taskbar entry.
    [[ $(wmctrl -lp | awk -v pid="$pid" '$3 == pid' | wc -l) == 1 ]] || fail "more than one window: $(wmctrl -lp)"
    wmctrl -i -c "$window"
  elif [[ $way == alt-f4 ]]; then
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" alt+F4
  else
    kill -TERM "$pid"
  fi

  wait_for_exit "$pid"
  [[ $exit_code == 0 ]] || fail "$way: exit code $exit_code, expected 0"
  echo "$way: exit code 0"
done
