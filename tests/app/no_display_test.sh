#!/usr/bin/env bash
# no_display_test.sh KOTORINA: with no display to connect to, the platform's
# start-up fails: "Runtime error 217 at <address>" on standard error and exit
# code 217, never an abort.
set -euo pipefail
. "$(dirname "$0")/../lib/desktop.sh"
kt_tmpdir tmp
errors=$tmp/errors

code=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$1" 2>"$errors" || code=$?
((code == 217)) || kt_fail "exit code $code, expected 217; $(cat "$errors")"
grep -Eq '^Runtime error 217 at [0-9A-F]{16}$' "$errors" || kt_fail "stderr: $(cat "$errors")"
echo "exit code 217: $(tail -1 "$errors")"
