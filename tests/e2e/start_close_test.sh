#!/usr/bin/env bash
# The program as a user meets it: started in a real X server with a window
# manager, its window appears with its caption, and closing it through the
# window manager ends the process with exit code 0.
# Usage: start_close_test.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail
program=$1 shots=$2
. "$(dirname "$0")/lib.sh"
mkdir -p "$shots"
kt_tmpdir tmp

kt_start_x --wm
"$program" >"$tmp/program.log" 2>&1 &
pid=$!
kt_on_exit "kill -KILL $pid"

wid=$(kt_wait_window "コトリナくん" 30)
sleep 0.5 # let the first paint reach the screen
kt_screenshot "$shots/start_close-1-screen.png"
kt_screenshot "$shots/start_close-1-main-window.png" "$wid"

kt_close_window "$wid"
kt_wait_exit "$pid" 15
((KT_EXIT_CODE == 0)) || kt_fail "exit code $KT_EXIT_CODE after a close: $(cat "$tmp/program.log")"
echo "start and close: passed (screenshot in $shots)"
