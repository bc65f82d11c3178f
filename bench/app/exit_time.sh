#!/usr/bin/env bash
# How long the program stays alive after its main window has gone: starts
# it on a virtual X display (optionally on log files), closes it from its
# File menu as a user would, and prints the time from the window's
# disappearance to the end of the process, RUNS times.
#
# Usage: [EXIT_TIME_WAIT=SECONDS] exit_time.sh CALORIX [RUNS] [ARGUMENT...]
# (the arguments go to the program, e.g. --range FIRST LAST; it is given
# EXIT_TIME_WAIT seconds, default 2, to load and draw before it is closed)
set -euo pipefail

program=$1
runs=${2:-5}
shift $(($# < 2 ? $# : 2))

. "$(dirname "$0")/../../tests/app/xvfb_session.sh"
start_xvfb 1920x1080 || { echo "Xvfb did not start" >&2; exit 1; }

now() { date +%s.%N; }
for run in $(seq "$runs"); do
  start_program "$program" "$@"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marlo Calorix 1' 2>/dev/null | head -n1) || true
  [ -n "$window" ] || { echo "no window" >&2; exit 1; }
  sleep "${EXIT_TIME_WAIT:-2}"  # loaded and drawn
  xdo windowfocus --sync "$window" 2>/dev/null || true
  xdo key alt+d
  sleep 0.3
  closed=$(now)
  xdo key b
  gone=
  while kill -0 "$app_pid" 2>/dev/null; do
    if [ -z "$gone" ] && ! xdotool search --onlyvisible --name '^Marlo Calorix 1' >/dev/null 2>&1; then gone=$(now); fi
    sleep 0.01
  done
  ended=$(now)
  [ -n "$gone" ] || gone=$ended
  wait "$app_pid" || true
  app_pid=
  awk -v c="$closed" -v g="$gone" -v e="$ended" -v r="$run" \
    'BEGIN { printf "run %d: window gone %.3f s after Exit, process ended %.3f s after the window\n", r, g - c, e - g }'
done
