#!/usr/bin/env bash
# broken_form_test.sh PROGRAM: when the main window cannot be built, the
# last-resort box comes up captioned "アプリケーション エラー", the report
# names the class, the module and the message, and the exit code is 1.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
program=$1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

"$program" 2>"$errors" &
pid=$!
box=$(wait_for_window "$pid" 'アプリケーション エラー') || fail "no last-resort box"
[[ $(property "$box" WM_NAME) == '"アプリケーション エラー"' ]] || fail "caption: $(property "$box" WM_NAME)"
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key --window "$box" Return

wait_for_exit "$pid"
[[ $exit_code == 1 ]] || fail "exit code $exit_code, expected 1"
module=$(basename "$program")
grep -Eq "^EConvertErrorがモジュール $module の [0-9A-F]{16} で発生しました。\$" "$errors" || fail "report: $(cat "$errors")"
grep -q '^フォームを構築できません.$' "$errors" || fail "message: $(cat "$errors")"
echo "exit code 1, report: $(tr '\n' ' ' <"$errors")"
