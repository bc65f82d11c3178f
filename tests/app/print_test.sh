#!/usr/bin/env bash
# Prints a day from the real program as a user does: Ctrl+P, the platform's
# print dialog (Qt's on Linux, Windows' under Wine), Enter. The default
# printer is a PDF printer (cups-pdf) of a CUPS server of the test's own,
# which the program reaches through CUPS_SERVER; Wine hands it the same
# printer. The PDF must hold one landscape page with the legend's text.
#
# Usage: print_test.sh [--wine] CALORIX LOG_FILE
# Ends with 77 (skipped) without cupsd and cups-pdf, or when not run as
# root (cups-pdf writes its files as root only).
set -euo pipefail

wine=
if [ "${1:-}" = "--wine" ]; then
  wine=1
  shift
fi
program=$1
logfile=$2

for tool in cupsd lpadmin pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "skipped: no cups-pdf"; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "skipped: cups-pdf prints for root only"; exit 77; }

. "$(dirname "$0")/xvfb_session.sh"

cups_pid=
stop_cups() {
  if [ -n "$cups_pid" ]; then
    kill "$cups_pid" 2>/dev/null || true
    wait "$cups_pid" 2>/dev/null || true
  fi
  cleanup
}
trap stop_cups EXIT

fail() {
  echo "print test failed: $*" >&2
  if [ -s "$work/app.log" ]; then sed 's/^/  calorix: /' "$work/app.log" >&2; fi
  if [ -s "$work/cups/log/error_log" ]; then tail -n 20 "$work/cups/log/error_log" | sed 's/^/  cupsd: /' >&2; fi
  exit 1
}

# A CUPS server in the scratch folder, on a socket of its own.
cups=$work/cups
mkdir -p "$cups"/{conf/ppd,spool,tmp,cache,state,log}
# Its filters run as the unprivileged user "lp".
chmod 755 "$work"
chmod 1777 "$cups/tmp"
cat >"$cups/conf/cupsd.conf" <<EOF
Listen $cups/socket
LogLevel info
# The document the program sent stays for the test to read.
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$cups/conf/cups-files.conf" <<EOF
SystemGroup root
ServerRoot $cups/conf
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Printcap $cups/printcap
EOF
cupsd -f -c "$cups/conf/cupsd.conf" -s "$cups/conf/cups-files.conf" &
cups_pid=$!
export CUPS_SERVER=$cups/socket
for _ in $(seq 50); do
  [ -S "$CUPS_SERVER" ] && break
  sleep 0.1
done
[ -S "$CUPS_SERVER" ] || fail "cupsd did not start"
lpadmin -p CalorixPDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
  fail "the PDF printer could not be set up"
lpadmin -d CalorixPDF

# cups-pdf writes into the PDF folder of the job's user.
pdfs=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$pdfs"
before=$(ls "$pdfs")

start_xvfb 1280x800 || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
start_program "$program" "$logfile"
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Marlo Calorix 1' 2>/dev/null | head -n1) || true
[ -n "$window" ] || fail "no main window within 60 s"
# Loaded once the evaluation window's caption, joined to the main window's,
# no longer reads "[Neu]" or "[New]".
loaded=
for _ in $(seq 100); do
  case $(xdo getwindowname "$window" 2>/dev/null || true) in
    *" - [Neu]" | *" - [New]") ;;
    *" - ["*) loaded=1; break ;;
  esac
  sleep 0.2
done
[ -n "$loaded" ] || fail "the file did not load"

# A fresh window shows no channel, and Print waits for one: temperature
# sensor 1 is ticked with a click on its check box (in pixels from the
# window's top-left corner; under Wine the window is sized to the screen
# first, as the smoke test does).
tick_y=123
if [ -n "$wine" ]; then
  xdo windowmove --sync "$window" 0 0 || true
  xdo windowsize --sync "$window" 1280 800 || true
  tick_y=113
fi
sleep 0.5
xdo mousemove --window "$window" 18 "$tick_y" click 1
sleep 1

# Ctrl+P, then the dialog's default button.
xdo windowfocus --sync "$window" 2>/dev/null || true
xdo key ctrl+p
dialog=
for _ in $(seq 100); do
  dialog=$(xdotool search --onlyvisible --name '^(Print|Drucken)' 2>/dev/null | head -n1) || true
  [ -n "$dialog" ] && break
  sleep 0.2
done
[ -n "$dialog" ] || fail "no print dialog within 20 s (did the click miss the check box?)"
echo "print dialog: $(xdo getwindowname "$dialog")"
sleep 1
xdo windowfocus --sync "$dialog" 2>/dev/null || true
xdo key Return

pdf=
for _ in $(seq 300); do
  pdf=$(comm -13 <(echo "$before") <(ls "$pdfs") | grep '\.pdf$' | head -n1) || true
  [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && break
  sleep 0.2
done
[ -n "$pdf" ] || fail "no PDF within 60 s"
pdf=$pdfs/$pdf
trap 'rm -f "$pdf"; stop_cups' EXIT

# What the program sent is landscape: Qt's PDF on Linux, the Windows
# printer driver's PostScript under Wine.
sent=$(ls "$cups"/spool/d*-001 | head -n1)
case $(head -c 4 "$sent") in
  %PDF)
    read -r width height < <(pdfinfo "$sent" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\).*/\1 \2/p')
    echo "sent: PDF, $width x $height pt"
    awk -v w="$width" -v h="$height" 'BEGIN { exit !(w > h) }' || fail "the program sent a portrait page"
    ;;
  %!PS)
    echo "sent: PostScript, $(grep -a -m1 '^%%Orientation:' "$sent")"
    grep -aq '^%%Orientation: Landscape' "$sent" || fail "the program sent a portrait page"
    ;;
  *) fail "the program sent neither PDF nor PostScript" ;;
esac

# The printed PDF: one sheet with the red curve of temperature sensor 1.
pdfinfo "$pdf" | grep -E '^Pages:' || true
pdfinfo "$pdf" | grep -Eq '^Pages: +1$' || fail "not one page"
pdftoppm -r 40 -png -singlefile "$pdf" "$work/printed" 2>/dev/null || fail "the PDF cannot be read"
red=$(convert "$work/printed.png" -fuzz 25% -fill black -opaque red -fill white +opaque black -format '%[fx:1-mean]' info:)
echo "red share of the page: $red"
awk -v r="$red" 'BEGIN { exit !(r > 0.0003) }' || fail "no curve of temperature sensor 1 on the printed page"

xdo windowfocus --sync "$window" 2>/dev/null || true
if [ -n "$wine" ]; then xdo key alt+F4; else kill "$app_pid"; fi
echo "print test passed"
