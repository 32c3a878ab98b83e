#!/usr/bin/env bash
# The program as a user meets it: started in a real X server with a window
# manager, its window appears with its caption, and closing it through the
# window manager at once ends the process with exit code 0.
# Usage: start_close_test.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail
. "$(dirname "$0")/../lib/desktop.sh"
kt_start_program "$1" "$2"

wid=$(kt_wait_window "コトリナくん" 30)
sleep 0.5 # let the first paint reach the screen
kt_screenshot "$KT_SHOTS/start_close-1-screen.png"
kt_screenshot "$KT_SHOTS/start_close-1-main-window.png" "$wid"

kt_close_window "$wid"
kt_wait_exit "$KT_PID" 15
((KT_EXIT_CODE == 0)) || kt_fail "exit code $KT_EXIT_CODE after a close: $(cat "$KT_LOG")"
echo "start and close: passed (screenshot in $KT_SHOTS)"
