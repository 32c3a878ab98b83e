#!/usr/bin/env bash
# display_loss_test.sh KOTORINA: at log-off the display server goes away
# under the running program; the program then ends as after a close, with
# exit code 0.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
dir=$(mktemp -d)
trap 'kill -9 ${x_pid:-} 2>/dev/null; rm -rf "$dir"' EXIT

exec 3>"$dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
x_pid=$!
for _ in $(seq 100); do [[ -s $dir/display ]] && break; sleep 0.05; done
export DISPLAY=":$(head -1 "$dir/display")" QT_QPA_PLATFORM=xcb

"$1" 2>/dev/null &
pid=$!
wait_for_window "$pid" >/dev/null || fail "no window"
kill -9 "$x_pid"
wait "$x_pid" 2>/dev/null
wait_for_exit "$pid"
[[ $exit_code == 0 ]] || fail "exit code $exit_code after the display went away, expected 0"
echo "display gone: exit code 0"
