#!/usr/bin/env bash
# The real program's --export from the shell, without a display: status 0
# and a PNG on success, the error and status 1 when the file cannot be
# read, a usage message and status 2 for bad arguments.
#
# The day's CSV export must equal EXPECTED_CSV (the same file for every
# platform's build), and the PNG's two plot areas stand on the same edges.
#
# Usage: export_test.sh CALORIX DAY_FILE EXPECTED_CSV
set -euo pipefail
program=$1
day=$2
expected_csv=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-export.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "export_test: $*" >&2
  exit 1
}
config="$work/config"
run() {
  set +e
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$work" \
    timeout 60 "$program" "$@" >"$work/out" 2>"$work/err"
  status=$?
  set -e
}

run --export "$work/day.png" --channels T1,R1 "$day"
[ "$status" -eq 0 ] || fail "status $status for a good export: $(cat "$work/err")"
[ "$(head -c 8 "$work/day.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "day.png is no PNG"
"$(dirname "$0")/plot_edges.py" "$work/day.png" || fail "the exported charts are not aligned"

run --export "$work/day.csv" "$day"
[ "$status" -eq 0 ] || fail "status $status for the day as CSV: $(cat "$work/err")"
cmp "$work/day.csv" "$expected_csv" || fail "the day's CSV differs from $expected_csv"

run --export "$work/totals.csv" --totals day "$day"
[ "$status" -eq 0 ] || fail "status $status for the daily totals: $(cat "$work/err")"
head -1 "$work/totals.csv" | grep -q "^date,volume" || fail "no totals heading: $(head -1 "$work/totals.csv")"
[ "$(wc -l <"$work/totals.csv")" -eq 2 ] || fail "a day's totals are not one row"

run --findings "$day"
[ "$status" -eq 0 ] || fail "status $status for the findings: $(cat "$work/err")"
# Windows writes its line ends to the console as CR LF.
[ "$(tr -d '\r' <"$work/out")" = "$(printf 'kind\tchannel\tstart\tend\tfigure')" ] ||
  fail "a sample day without injected faults has findings: $(cat "$work/out")"

run --export "$work/findings.csv" --findings "$day"
[ "$status" -eq 0 ] || fail "status $status for the findings as CSV: $(cat "$work/err")"
[ "$(cat "$work/findings.csv")" = "kind,channel,start,end,figure" ] || fail "findings CSV: $(cat "$work/findings.csv")"

run --export "$work/missing.png" "$work/no-such-day.csv"
[ "$status" -eq 1 ] || fail "status $status for a missing file"
grep -q "no-such-day.csv" "$work/err" || fail "the error does not name the file: $(cat "$work/err")"
[ ! -e "$work/missing.png" ] || fail "a failed export left a file"

config="$work/untouched"
run --export "$work/day.txt" "$day"
[ "$status" -eq 2 ] || fail "status $status for a bad output type"
grep -q "^calorix: --export writes .png, .pdf, .svg, .csv or .xlsx files" "$work/err" || fail "no usage message: $(cat "$work/err")"
[ ! -e "$work/untouched/Helvo" ] || fail "a usage error touched the settings"
echo "export_test: passed"
