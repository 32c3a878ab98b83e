#!/usr/bin/env bash
# close_test.sh KOTORINA: the program started as a user starts it shows one
# window with the taskbar entry's properties, and ends with exit code 0
# however the window is closed, or when the session ends.
set -euo pipefail
. "$(dirname "$0")/../lib/desktop.sh"
program=$1
kt_start_x --wm

for way in wm-close alt-f4 sigterm; do
  "$program" 2>/dev/null &
  pid=$!
  window=$(kt_wait_window_of "$pid")

  if [[ $way == wm-close ]]; then
    # The taskbar entry: the icon name and the class hint carry the title,
    # the window name is the caption, the icon is the 32 x 32 MAINICON.
    [[ $(kt_property "$window" WM_NAME) == '"コトリナくん"' ]] || kt_fail "WM_NAME: $(kt_property "$window" WM_NAME)"
    [[ $(kt_property "$window" _NET_WM_NAME) == '"コトリナくん"' ]] || kt_fail "_NET_WM_NAME"
    [[ $(kt_property "$window" WM_ICON_NAME) == '"kotorina"' ]] || kt_fail "WM_ICON_NAME: $(kt_property "$window" WM_ICON_NAME)"
    [[ $(kt_property "$window" _NET_WM_ICON_NAME) == '"kotorina"' ]] || kt_fail "_NET_WM_ICON_NAME"
    [[ $(kt_property "$window" WM_CLASS) == '"kotorina", "kotorina"' ]] || kt_fail "WM_CLASS: $(kt_property "$window" WM_CLASS)"
    xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || kt_fail "_NET_WM_ICON"
    # Exactly one window of the program is managed: one taskbar entry.
    kt_poll 10 _kt_managed "$window" || kt_fail "the window manager never took the window on"
    [[ $(wmctrl -lp | awk -v pid="$pid" '$3 == pid' | wc -l) == 1 ]] || kt_fail "more than one window: $(wmctrl -lp)"
    kt_close_window "$window"
  elif [[ $way == alt-f4 ]]; then
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    # The window may be gone before xdotool has sent the key releases.
    xdotool key --window "$window" alt+F4 2>/dev/null || true
  else
    kill -TERM "$pid"
  fi

  kt_wait_exit "$pid"
  ((KT_EXIT_CODE == 0)) || kt_fail "$way: exit code $KT_EXIT_CODE, expected 0"
  echo "$way: exit code 0"
done
