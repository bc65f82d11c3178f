#!/usr/bin/env bash
# How long the program stays alive after its main window has gone: starts
# it on a virtual X display (optionally on log files), closes it from its
# File menu as a user would, and prints the time from the window's
# disappearance to the end of the process, RUNS times.
#
# Usage: exit_time.sh CALORIX [RUNS] [LOG_FILE...]
set -euo pipefail

program=$1
runs=${2:-5}
shift $(($# < 2 ? $# : 2))

work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-exit.XXXXXX")
xvfb_pid=
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
mkdir -p "$work/config" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"

now() { date +%s.%N; }
for run in $(seq "$runs"); do
  XDG_CONFIG_HOME="$work/config" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb timeout 60 "$program" "$@" >"$work/app.log" 2>&1 &
  app_pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marlo Calorix 1' 2>/dev/null | head -n1) || true
  [ -n "$window" ] || { echo "no window" >&2; exit 1; }
  sleep 2  # loaded and drawn
  timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null || true
  timeout 10 xdotool key alt+d
  sleep 0.3
  closed=$(now)
  timeout 10 xdotool key b
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
