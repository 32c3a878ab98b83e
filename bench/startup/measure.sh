#!/usr/bin/env bash
# Measures the whole program as a user meets it, under a private Xvfb with no
# window manager, alternating with a minimal Qt 6 window that has the same
# controls (the toolkit's floor), and prints the medians side by side:
#
#   start-up      exec to the main window mapped, and to its first paint
#   memory        resident set once the window is idle
#   idle          system calls and CPU time over 10 s with the window shown,
#                 unfocused, then with the first entry focused (counted from
#                 10 s after the focus arrived, the last input)
#   dialog        button click to the result dialog mapped and painted, for
#                 the first click and for later ones
#
# Usage: bench/startup/measure.sh [--runs N] [--idle-runs N] [--clicks N]
#                                 [--program PATH] [--build DIR]
#   --runs       timed start-ups of each program after one warm-up (10)
#   --idle-runs  how many of those runs also measure idleness, 40 s each (3)
#   --clicks     clicks per run: the first and the later ones (5)
#   --program    the program to measure (build/app/kotorina)
#   --build      where the watcher and the minimal window are built
#                (build/bench-startup)
# Before the clicks the scores of the three rounds are typed, select-all and
# type, Tab between them (--scores "90 85 95"; the ratings keep their valid
# prefilled values), so that the click shows the result rather than the error
# box; --scores "" times the error box instead. The click lands at
# --click-at X Y inside the window (57 129: the middle of the calculate
# button at 96 dpi). Where no dialog appears, "n/a".
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/bench/startup
runs=10 idle_runs=3 clicks=5
program=$root/build/app/kotorina
build=$root/build/bench-startup
click_x=57 click_y=129
scores="90 85 95"
while (($#)); do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --idle-runs) idle_runs=$2; shift 2 ;;
    --clicks) clicks=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --click-at) click_x=$2 click_y=$3; shift 3 ;;
    --scores) scores=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -x $program ]] || { echo "no program at $program: build it first (scripts/build)" >&2; exit 2; }

# --- the tools: built here, not by CMake, so the benchmark stands alone -----
mkdir -p "$build"
watch=$build/x_watch minimal=$build/minimal_window
if [[ ! -x $watch || $here/x_watch.c -nt $watch ]]; then
  gcc -O2 -Wall -Wextra -o "$watch" "$here/x_watch.c" $(pkg-config --cflags --libs x11 xdamage xtst)
fi
if [[ ! -x $minimal || $here/minimal_window.cpp -nt $minimal ]]; then
  # The same optimisation as the program's default build.
  g++ -O2 -std=c++20 -fPIC -Wall -Wextra -o "$minimal" "$here/minimal_window.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets)
fi

. "$root/tests/lib/desktop.sh"
kt_start_x
kt_tmpdir tmp
results=$tmp/results
: >"$results"
echo "display $DISPLAY, $runs runs each after a warm-up, $idle_runs with idle measurements" >&2

field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p" <<<"$2"; }
record() { echo "$1 $2 $3" >>"$results"; }

# CPU time of every thread of the process, in milliseconds.
cpu_ms() {
  local total=0 task ns
  for task in /proc/"$1"/task/*; do
    read -r ns _ <"$task/schedstat" 2>/dev/null || continue
    total=$((total + ns))
  done
  echo "scale=3; $total / 1000000" | bc
}

# System calls of every thread over SECONDS. Attaching interrupts the call
# the program sleeps in; the kernel's restart of it is strace's doing, not
# the program's, and is left out.
syscalls_over() {
  local pid=$1 seconds=$2 tracer
  strace -f -c -o "$tmp/strace" -p "$pid" 2>"$tmp/strace.err" &
  tracer=$!
  sleep "$seconds"
  kill -INT "$tracer"
  wait "$tracer" || true
  awk '$1 ~ /^[0-9.]+$/ && $NF != "total" && $NF != "restart_syscall" {n += $4} END {print n + 0}' \
    "$tmp/strace"
}

idle_pair() { # NAME PID STATE: syscalls, then CPU, each over 10 s
  record "$1" "syscalls_$3" "$(syscalls_over "$2" 10)"
  local before after
  before=$(cpu_ms "$2")
  sleep 10
  after=$(cpu_ms "$2")
  record "$1" "cpu_ms_$3" "$(echo "$after - $before" | bc)"
}

run_once() { # NAME PROGRAM KEEP(0 = warm-up) IDLE
  local name=$1 path=$2 keep=$3 idle=$4 watcher line pid wid
  : >"$tmp/launch"
  "$watch" launch -- "$path" >"$tmp/launch" 2>>"$tmp/$name.log" &
  watcher=$!
  kt_poll 30 grep -q 'pid=' "$tmp/launch" || kt_fail "$name did not report a window"
  line=$(cat "$tmp/launch")
  pid=$(field pid "$line") wid=$(field window "$line")
  [[ $(field paint_ms "$line") != -1.000 ]] || kt_fail "$name never painted: $line"
  sleep 1
  if ((keep)); then
    record "$name" map_ms "$(field map_ms "$line")"
    record "$name" paint_ms "$(field paint_ms "$line")"
    record "$name" rss_mb "$(awk '/^VmRSS:/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")"
  fi
  if ((idle)); then
    xdotool mousemove 0 0
    "$watch" focus none
    sleep 1
    idle_pair "$name" "$pid" unfocused
    "$watch" focus "$wid"
    sleep 10
    idle_pair "$name" "$pid" focused
  fi
  if [[ -n $scores ]]; then
    "$watch" focus "$wid"
    sleep 0.2
    local score
    for score in $scores; do
      xdotool key ctrl+a type "$score"
      xdotool key Tab
    done
    sleep 0.5
  fi
  local n=0 click
  while read -r click; do
    n=$((n + 1))
    ((keep)) || continue
    if [[ $click == *n/a* ]]; then
      record "$name" dialog_first_map_ms n/a
      break
    fi
    if ((n == 1)); then
      record "$name" dialog_first_map_ms "$(field map_ms "$click")"
      record "$name" dialog_first_paint_ms "$(field paint_ms "$click")"
    else
      record "$name" dialog_later_map_ms "$(field map_ms "$click")"
      record "$name" dialog_later_paint_ms "$(field paint_ms "$click")"
    fi
  done < <("$watch" click --window "$wid" --at "$click_x" "$click_y" --count "$clicks" \
    2>>"$tmp/$name.log" || true)
  kill "$pid" 2>/dev/null || true
  wait "$watcher" || true
}

run_once minimal "$minimal" 0 0
run_once kotorina "$program" 0 0
for ((i = 1; i <= runs; i++)); do
  idle=$((i <= idle_runs))
  # Alternate which goes first, so that neither always follows the other.
  if ((i % 2)); then
    run_once minimal "$minimal" 1 "$idle"
    run_once kotorina "$program" 1 "$idle"
  else
    run_once kotorina "$program" 1 "$idle"
    run_once minimal "$minimal" 1 "$idle"
  fi
  echo "run $i/$runs done" >&2
done

# --- the table ---------------------------------------------------------------
median() { # NAME METRIC
  awk -v n="$1" -v m="$2" '$1 == n && $2 == m {print $3}' "$results" | sort -g | awk '
    /n\/a/ {na = 1}
    {v[NR] = $1}
    END {
      if (na || NR == 0) { print "n/a"; exit }
      if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2
    }'
}
goal() {
  case $1 in
    paint_ms) echo "<= 1.15x" ;;
    rss_mb) echo "<= +4 MB" ;;
    syscalls_*) echo "0" ;;
    dialog_first_map_ms | dialog_first_paint_ms) echo "< 16 ms" ;;
    dialog_later_map_ms | dialog_later_paint_ms) echo "< 5 ms" ;;
    *) echo "" ;;
  esac
}
printf '\n%-24s %12s %12s %8s  %s\n' "median of" "minimal" "kotorina" "ratio" "goal"
for metric in map_ms paint_ms rss_mb syscalls_unfocused cpu_ms_unfocused syscalls_focused \
  cpu_ms_focused dialog_first_map_ms dialog_first_paint_ms dialog_later_map_ms \
  dialog_later_paint_ms; do
  a=$(median minimal "$metric") b=$(median kotorina "$metric")
  [[ $a == n/a && $b == n/a ]] && ! grep -q " $metric " "$results" && continue
  ratio=n/a
  if [[ $a != n/a && $b != n/a ]] && awk -v a="$a" 'BEGIN {exit !(a > 0)}'; then
    ratio=$(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", b / a}')
  fi
  printf '%-24s %12s %12s %8s  %s\n' "$metric" "$a" "$b" "$ratio" "$(goal "$metric")"
done
echo "(idle figures over 10 s; syscalls exclude strace's restart_syscall)"
