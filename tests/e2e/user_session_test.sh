#!/usr/bin/env bash
# A whole session as a user has it, driven only from outside with xdotool,
# xprop, wmctrl and xclip, in a real X server with a window manager: the
# window comes up with the focus in the first score and its placeholder
# selected; three rounds typed and the button clicked give the result dialog,
# whose text Ctrl+C copies; the prefilled placeholder gives the error box,
# closed with Esc and with Enter; closing the window ends the process with 0.
# Screenshots of each step go to SCREENSHOT_DIR.
# Usage: user_session_test.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail
. "$(dirname "$0")/../lib/desktop.sh"
kt_start_program "$1" "$2"
shots=$KT_SHOTS pid=$KT_PID

step() { echo "-- $*"; }
key() { xdotool key --clearmodifiers --delay 20 "$@"; }
type_text() { xdotool type --delay 20 "$1"; }
focused_is() { [[ $(xdotool getwindowfocus) == "$1" ]]; }
window_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
clipboard() { xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null; }

step "the main window appears, captioned, with the keyboard focus"
main=$(kt_wait_window "コトリナくん" 30)
kt_poll 10 focused_is "$main" || kt_fail "the main window does not have the focus"
sleep 0.3
kt_screenshot "$shots/session-1-main-window.png" "$main"

step "the taskbar entry: title as icon name and class, the icon; the caption as window name"
prop() { kt_property "$main" "$1"; }
[[ $(prop WM_NAME) == '"コトリナくん"' ]] || kt_fail "WM_NAME $(prop WM_NAME)"
[[ $(prop WM_ICON_NAME) == '"kotorina"' ]] || kt_fail "WM_ICON_NAME $(prop WM_ICON_NAME)"
[[ $(prop _NET_WM_ICON_NAME) == '"kotorina"' ]] || kt_fail "_NET_WM_ICON_NAME $(prop _NET_WM_ICON_NAME)"
[[ $(prop WM_CLASS) == '"kotorina", "kotorina"' ]] || kt_fail "WM_CLASS $(prop WM_CLASS)"
xprop -id "$main" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || kt_fail "no 32 x 32 _NET_WM_ICON"

step "typing three rounds: the placeholder of the first score is selected, so typing replaces it"
# First score: typed straight away, no select-all: it lands only if the
# whole of "Score1" was selected.
type_text "95"
fill() { key Tab; key ctrl+a; type_text "$1"; }
fill 88
fill 102
fill 71.2
fill 70.4
fill 73.1
key Tab # to the button, which sits between the course and the slope ratings
fill 128
fill 121
fill 135
sleep 0.2
kt_screenshot "$shots/session-2-typed.png" "$main"

step "clicking the button shows the result dialog, captioned with the title"
# The button: bottom left of the client area, inside the 5-pixel margin.
read -r _ _ height < <(xdotool getwindowgeometry --shell "$main" | awk -F= '/^HEIGHT/ {print "x x " $2}')
xdotool mousemove --window "$main" 40 $((height - 18)) click 1
dialog=$(kt_wait_window "kotorina" 10)
sleep 0.3
kt_screenshot "$shots/session-3-result-dialog.png" "$dialog"
[[ $(xdotool getwindowfocus) == "$dialog" ]] || kt_poll 5 focused_is "$dialog" || kt_fail "the dialog has no focus"

step "Ctrl+C copies the dialog's text, byte for byte, and leaves it open"
key ctrl+c
D=$'---------------------------\r\n'
expected="${D}kotorina"$'\r\n'"${D}あなたのＨＣは"$'\r'"   20　　です"$'\r\n'"${D}OK   "$'\r\n'"${D}"
got_expected() { [[ $(clipboard; printf x) == "${expected}x" ]]; }
kt_poll 5 got_expected || {
  clipboard | od -c | head -20 >&2
  kt_fail "the clipboard does not hold the dialog's text"
}
xdotool search --onlyvisible --name '^kotorina$' >/dev/null || kt_fail "Ctrl+C closed the dialog"

step "Enter closes the dialog; the main window is active again"
key Return
kt_poll 5 window_gone '^kotorina$' || kt_fail "Enter did not close the dialog"
kt_poll 5 focused_is "$main" || kt_fail "the main window did not get the focus back"

step "the placeholder text gives the error box; Esc closes it and the program goes on"
# A click places the caret; select all and type the placeholder again.
xdotool mousemove --window "$main" 200 12 click 1
key ctrl+a
type_text "Score1"
xdotool mousemove --window "$main" 40 $((height - 18)) click 1
box=$(kt_wait_window "kotorina" 10)
sleep 0.3
kt_screenshot "$shots/session-4-error-box.png" "$box"
key ctrl+c
error_expected="'Score1' は浮動小数点数ではありません."
got_error() { [[ $(clipboard) == "$error_expected" ]]; }
kt_poll 5 got_error || kt_fail "the error box says: $(clipboard)"
key Escape
kt_poll 5 window_gone '^kotorina$' || kt_fail "Esc did not close the error box"
kt_poll 5 focused_is "$main" || kt_fail "the main window did not get the focus back"

step "again, and Enter closes it"
xdotool mousemove --window "$main" 40 $((height - 18)) click 1
kt_wait_window "kotorina" 10 >/dev/null
key Return
kt_poll 5 window_gone '^kotorina$' || kt_fail "Enter did not close the error box"
kill -0 "$pid" || kt_fail "the program ended"

step "closing the window through the window manager ends the process with 0"
kt_close_window "$main"
kt_wait_exit "$pid" 15
((KT_EXIT_CODE == 0)) || kt_fail "exit code $KT_EXIT_CODE after a close: $(cat "$KT_LOG")"
echo "user session: passed (screenshots in $shots)"
