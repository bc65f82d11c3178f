#!/usr/bin/env bash
# Starts the real program on a day file on a virtual X display, checks that
# its window comes up with the day's chart drawn, then closes it from its
# menu. Every wait has a time limit, and the display goes in every case.
#
# Usage: smoke_test.sh [--range LAST_FILE] [--caption TEXT] CALORIX LOG_FILE [SCREENSHOT_COPY]
#   --range LAST_FILE  open the range from LOG_FILE to LAST_FILE (calorix --range)
#   --caption TEXT     the window caption must contain TEXT
#   --wine             the Windows program under Wine: its main window is sized
#                      to the screen first (Wine without a window manager
#                      keeps the X window at its first size while Windows
#                      lays the window out larger), and it is closed with
#                      Alt+F4, as Windows closes a window
# The two charts' plot areas must stand on the same left and right edges.
set -euo pipefail

last=
expected=
wine=
while [ $# -gt 0 ]; do
  case $1 in
    --range) last=$2; shift 2 ;;
    --caption) expected=$2; shift 2 ;;
    --wine) wine=1; shift ;;
    *) break ;;
  esac
done
program=$1
logfile=$2
copy=${3:-}
args=("$logfile")
if [ -n "$last" ]; then args=(--range "$logfile" "$last"); fi

. "$(dirname "$0")/xvfb_session.sh"

fail() {
  echo "smoke test failed: $*" >&2
  if [ -s "$work/app.log" ]; then sed 's/^/  calorix: /' "$work/app.log" >&2; fi
  exit 1
}

start_xvfb 1280x800 || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
start_program "$program" "${args[@]}"

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Marlo Calorix 1' 2>/dev/null | head -n1) ||
  true
[ -n "$window" ] || fail "no main window within 60 s"

# The maximised evaluation window's caption joins the main window's: it
# reads "... - [Neu]" while empty and names the day once the file is loaded.
# The empty window is "Neu" in German, "New" under Wine (English).
loaded() {
  case $1 in
    *" - [Neu]" | *" - [New]") return 1 ;;
    *" - ["*) return 0 ;;
  esac
  return 1
}
name=
for _ in $(seq 100); do
  name=$(xdo getwindowname "$window" 2>/dev/null || true)
  loaded "$name" && break
  sleep 0.2
done
loaded "$name" || fail "the file did not load, window caption: '$name'"
echo "window: $name"
case $name in *"$expected"*) ;; *) fail "the caption does not name '$expected'" ;; esac

if [ -n "$wine" ]; then
  xdo windowmove --sync "$window" 0 0 || true
  xdo windowsize --sync "$window" 1280 800 || true
fi
sleep 1  # let the charts paint
timeout 20 import -window root "$work/shot.png" || fail "no screenshot"
if [ -n "$copy" ]; then cp "$work/shot.png" "$copy"; fi

eval "$(xdo getwindowgeometry --shell "$window")"
# The upper chart lies right of the channel panel: a band in the middle of
# the window's right half. Blank, it would be one colour.
crop="$((WIDTH * 50 / 100))x$((HEIGHT * 45 / 100))+$((X + WIDTH * 45 / 100))+$((Y + HEIGHT * 25 / 100))"
read -r deviation colours < <(timeout 20 convert "$work/shot.png" -crop "$crop" +repage \
  -format '%[fx:standard_deviation] %k\n' info:)
echo "chart area $crop: standard deviation $deviation, $colours colours"
awk -v d="$deviation" -v c="$colours" 'BEGIN { exit !(d > 0.02 && c >= 5) }' ||
  fail "the chart area looks blank"
"$(dirname "$0")/plot_edges.py" "$work/shot.png" "$X" "$Y" "$WIDTH" "$HEIGHT" ||
  fail "the charts are not aligned"

# Close it as a user would: File menu (Alt+D), Exit (B); under Wine,
# whose language is English, Alt+F4.
xdo windowfocus --sync "$window" 2>/dev/null || true
if [ -n "$wine" ]; then
  xdo key alt+F4
else
  xdo key alt+d
  sleep 0.5
  xdo key b
fi
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not close from its menu"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "smoke test passed"
