#!/usr/bin/env bash
# shell_startup.sh [KOTORINA]: measures the application shell on a desktop of
# its own (Xvfb + openbox):
#  - start-up: milliseconds from exec to the main window being mapped, the
#    median (and range) of 10 runs;
#  - idle: the system calls of all the program's threads over 10 seconds with
#    the window shown and nothing happening (strace -c -f -p PID).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/app/kotorina}
program=$(realpath "$program")

if [[ -z ${SHELL_BENCH_ON_DESKTOP:-} ]]; then
  SHELL_BENCH_ON_DESKTOP=1 exec bash "$root/tests/app/with_desktop.sh" bash "$0" "$program"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/probe" "$root/bench/shell_map_probe.c" -lxcb

# One run first so that the fonts and the program are in the page cache.
"$work/probe" "$program" >/dev/null 2>&1
for _ in $(seq 10); do "$work/probe" "$program" 2>/dev/null; done | sort -n >"$work/times"
echo "start-up, exec to window mapped (ms, 10 runs): median $(sed -n 5,6p "$work/times" | awk '{s+=$1} END {printf "%.1f", s/2}')," \
  "min $(head -1 "$work/times"), max $(tail -1 "$work/times")"

"$program" 2>/dev/null &
pid=$!
sleep 2
echo "threads: $(cat /proc/"$pid"/task/*/comm | tr '\n' ' ')"
timeout -s INT 10 strace -c -f -p "$pid" -o "$work/strace" 2>/dev/null || true
kill -TERM "$pid"
wait "$pid" || true
echo "idle, 10 s with the window shown (strace -c -f -p PID):"
if [[ -s $work/strace ]]; then cat "$work/strace"; else echo "  no system calls at all"; fi
