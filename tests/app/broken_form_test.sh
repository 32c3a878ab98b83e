#!/usr/bin/env bash
# broken_form_test.sh PROGRAM: when the main window cannot be built, the
# last-resort box comes up captioned "アプリケーション エラー", the report
# names the class, the module and the message, and the exit code is 1.
set -euo pipefail
. "$(dirname "$0")/../lib/desktop.sh"
program=$1
kt_tmpdir tmp
errors=$tmp/errors
kt_start_x --wm

"$program" 2>"$errors" &
pid=$!
box=$(kt_wait_window_of "$pid" 'アプリケーション エラー')
[[ $(kt_property "$box" WM_NAME) == '"アプリケーション エラー"' ]] || kt_fail "caption: $(kt_property "$box" WM_NAME)"
xdotool windowactivate --sync "$box" 2>/dev/null || true
# The box may be gone before xdotool has sent the key release.
xdotool key --window "$box" Return 2>/dev/null || true

kt_wait_exit "$pid"
((KT_EXIT_CODE == 1)) || kt_fail "exit code $KT_EXIT_CODE, expected 1"
module=$(basename "$program")
grep -Eq "^EConvertErrorがモジュール $module の [0-9A-F]{16} で発生しました。\$" "$errors" || kt_fail "report: $(cat "$errors")"
grep -q '^フォームを構築できません.$' "$errors" || kt_fail "message: $(cat "$errors")"
echo "exit code 1, report: $(tr '\n' ' ' <"$errors")"
