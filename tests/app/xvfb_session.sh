# Sourced by the scripts that drive the real program on a virtual X display
# (tests/app/smoke_test.sh, bench/app/exit_time.sh). Sets `work` to a
# scratch folder, starts Xvfb on a free display and exports DISPLAY, and
# gives the program a settings folder and a home of its own in `work`;
# the display, the program (app_pid) and the folder go on exit.

work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-xvfb.XXXXXX")
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

# Bounded xdotool: without a window manager some requests can block.
xdo() { timeout 10 xdotool "$@"; }

# -displayfd picks a free display and writes its number once the server is
# ready, so parallel runs never collide. Usage: start_xvfb WIDTHxHEIGHT
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || return 1
  export DISPLAY=":$(head -n1 "$work/display")"
  # The settings file and every other per-user file go into the scratch folder.
  mkdir -p "$work/config" "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
}

# Starts the program in the background (app_pid) with the scratch folders.
start_program() {
  XDG_CONFIG_HOME="$work/config" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb timeout 120 "$@" >"$work/app.log" 2>&1 &
  app_pid=$!
}
