# Helpers for tests that drive the real program from outside, the way a
# person meets it: a private X server, optionally a window manager, windows
# found by their caption, screenshots, closing through the window manager.
# Source this file from a bash script that has `set -euo pipefail`.
#
#   kt_tmpdir VAR          make a fresh scratch folder, removed when the script
#                          ends, and put its path in VAR
#   kt_start_x [--wm]      start Xvfb on a free display (and openbox), export DISPLAY;
#                          the server's pid goes to KT_XVFB_PID
#   kt_wait_window NAME [SECONDS]   print the id of the visible window captioned NAME
#   kt_wait_window_of PID [NAME] [SECONDS]  print the id of a visible window of PID
#   kt_property WID NAME   a window property's value as xprop prints it
#   kt_screenshot FILE [WID]        save the whole screen, or one window with
#                          its window-manager frame, as an image
#   kt_close_window WID    ask the window manager to close the window
#   kt_wait_exit PID [SECONDS]      wait for a background child of this shell;
#                          its exit code goes to KT_EXIT_CODE
#   kt_fail MESSAGE        report and stop
#   kt_start_program PROGRAM SHOTS  start it on a fresh X server with a window
#                          manager: KT_PID, KT_LOG, KT_SHOTS

KT_CLEANUP=()

kt_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the registered clean-up commands, last registered first.
kt_cleanup() {
  local i
  for ((i = ${#KT_CLEANUP[@]} - 1; i >= 0; i--)); do
    eval "${KT_CLEANUP[i]}" >/dev/null 2>&1 || true
  done
  KT_CLEANUP=()
}
trap kt_cleanup EXIT
trap 'exit 130' INT TERM

kt_on_exit() {
  KT_CLEANUP+=("$1")
}

# Sets a variable rather than printing, so that the clean-up is registered in
# this shell and not in a command substitution's subshell.
kt_tmpdir() {
  local _kt_new
  _kt_new=$(mktemp -d "${TMPDIR:-/tmp}/kotorina-test.XXXXXX")
  kt_on_exit "rm -rf '$_kt_new'"
  printf -v "$1" '%s' "$_kt_new"
}

# Polls until the command succeeds or SECONDS pass; returns its status.
kt_poll() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

_kt_display_ready() { [[ -s $1 ]] || ! kill -0 "$2" 2>/dev/null; }
_kt_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Tries random display numbers well above the ones people type by hand, so
# that a server someone starts on :0 or :99 never meets ours. Xvfb refuses a
# number another server holds; -displayfd tells when it is ready.
kt_start_x() {
  local with_wm=0
  [[ ${1:-} == --wm ]] && with_wm=1
  local dir number xvfb=
  kt_tmpdir dir
  for _ in 1 2 3 4 5 6 7 8; do
    number=$((200 + RANDOM % 4000))
    [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
    : >"$dir/display"
    Xvfb ":$number" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
      3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    xvfb=$!
    kt_poll 20 _kt_display_ready "$dir/display" "$xvfb" || true
    if [[ -s $dir/display ]] && kill -0 "$xvfb" 2>/dev/null; then
      break
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=
  done
  [[ -n $xvfb ]] || kt_fail "Xvfb did not start: $(cat "$dir/xvfb.log")"
  kt_on_exit "kill $xvfb; wait $xvfb"
  KT_XVFB_PID=$xvfb
  export DISPLAY=":$(head -n1 "$dir/display")"
  # Programs started from here talk X11 to this server, whatever the
  # session around the test offers.
  unset WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
  # A session would provide one; Qt warns without it.
  local runtime
  kt_tmpdir runtime
  export XDG_RUNTIME_DIR=$runtime
  if ((with_wm)); then
    openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    local wm=$!
    kt_on_exit "kill $wm; wait $wm"
    kt_poll 20 _kt_wm_ready || kt_fail "openbox did not start: $(cat "$dir/openbox.log")"
  fi
}

_kt_find_window() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 | grep .
}

kt_wait_window() {
  local name=$1 seconds=${2:-20} pattern
  # xdotool matches a regular expression: anchor the caption and escape it.
  pattern="^$(printf '%s' "$name" | sed 's/[][\.*^$(){}+?|]/\\&/g')\$"
  kt_poll "$seconds" _kt_find_window "$pattern" >/dev/null ||
    kt_fail "no window captioned \"$name\" within ${seconds}s"
  _kt_find_window "$pattern"
}

# Prints the id of the first visible window of process PID (whose caption
# matches the regular expression NAME, when given); fails when the process
# ends or SECONDS pass first.
_kt_find_window_of() {
  xdotool search --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n1 | grep . && return 0
  kill -0 "$1" 2>/dev/null || return 2
  return 1
}
kt_wait_window_of() {
  local pid=$1 name=${2:-.} seconds=${3:-20} deadline status
  deadline=$((SECONDS + seconds))
  while :; do
    status=0
    _kt_find_window_of "$pid" "$name" || status=$?
    ((status == 0)) && return 0
    ((status == 2)) && kt_fail "process $pid ended before its window \"$name\" appeared"
    ((SECONDS < deadline)) || kt_fail "no window \"$name\" of process $pid within ${seconds}s"
    sleep 0.05
  done
}

# The value of a window's property as xprop prints it, after the "= ".
kt_property() { xprop -id "$1" "$2" | sed 's/^[^=]*= //'; }

kt_screenshot() {
  if [[ -n ${2:-} ]]; then
    import -frame -window "$2" "$1"
  else
    import -window root "$1"
  fi
}

# _NET_CLOSE_WINDOW through the window manager, which sends the program
# WM_DELETE_WINDOW: the same road as the title bar's close button.
# The window manager acts only on windows it manages, which it lists in
# _NET_CLIENT_LIST once it has framed them: wait for that first.
_kt_managed() {
  wmctrl -l 2>/dev/null | grep -qi "^$(printf '0x%08x' "$1") "
}
kt_close_window() {
  kt_poll 10 _kt_managed "$1" || kt_fail "the window manager never took window $1 on"
  wmctrl -i -c "$1"
}

# A child that has exited but not been waited for is a zombie, which kill -0
# still finds; its state in /proc tells it apart.
_kt_gone() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  stat=${stat##*) }
  [[ ${stat%% *} == Z ]]
}

KT_EXIT_CODE=
kt_wait_exit() {
  local pid=$1 seconds=${2:-10}
  if ! kt_poll "$seconds" _kt_gone "$pid"; then
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    kt_fail "process $pid did not end within ${seconds}s"
  fi
  KT_EXIT_CODE=0
  wait "$pid" || KT_EXIT_CODE=$?
}

# Starts PROGRAM in the background on a fresh X server with a window manager;
# its pid goes to KT_PID, its output to the file KT_LOG, and SHOTS (created)
# to KT_SHOTS for the screenshots.
kt_start_program() {
  KT_SHOTS=$2
  mkdir -p "$KT_SHOTS"
  local tmp
  kt_tmpdir tmp
  KT_LOG=$tmp/program.log
  kt_start_x --wm
  "$1" >"$KT_LOG" 2>&1 &
  KT_PID=$!
  kt_on_exit "kill -KILL $KT_PID"
}
