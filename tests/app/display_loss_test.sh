#!/usr/bin/env bash
# display_loss_test.sh KOTORINA: at log-off the display server goes away
# under the running program; the program then ends as after a close, with
# exit code 0.
set -euo pipefail
. "$(dirname "$0")/../lib/desktop.sh"
kt_start_x

"$1" 2>/dev/null &
pid=$!
kt_wait_window_of "$pid" >/dev/null
kill -9 "$KT_XVFB_PID"
wait "$KT_XVFB_PID" 2>/dev/null || true
kt_wait_exit "$pid"
((KT_EXIT_CODE == 0)) || kt_fail "exit code $KT_EXIT_CODE after the display went away, expected 0"
echo "display gone: exit code 0"
