# Helpers for the tests that drive the real program on a desktop.

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for_window PID [NAME]: prints the id of PID's first mapped window
# (whose name matches NAME when given) once it is up.
wait_for_window() {
  local pid=$1 name=${2:-.} id
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --pid "$pid" --name "$name" 2>/dev/null); do
      echo "$id"
      return 0
    done
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# wait_for_exit PID: waits at most 10 s for PID (a child of this shell, so
# not to be called in a subshell) to end, and sets exit_code to its code.
wait_for_exit() {
  local pid=$1
  exit_code=timeout
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    return 0
  fi
  exit_code=0
  wait "$pid" || exit_code=$?
}

# property WINDOW NAME: the property's value as xprop prints it.
property() { xprop -id "$1" "$2" | sed 's/^[^=]*= //'; }
