#!/usr/bin/env bash
# Under Wine: "Open in Excel" finds a spreadsheet program that is registered
# under App Paths. A stand-in program (it writes down its arguments) is
# registered with `reg add`, first as Excel.exe by the key's default value,
# then, with no Excel at all, as LibreOffice (soffice.exe) by its "Path"
# value; each time the search must start it on the workbook.
#
# Usage: app_paths_test.sh PROBE.exe RECORDER.exe EMULATOR...
set -euo pipefail
probe=$1
recorder=$2
shift 2
emulator=("$@")
work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-app-paths.XXXXXX")
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths'
wine_() { "${emulator[@]}" "$@"; }
forget() { wine_ reg delete "$key\\$1" /f >/dev/null 2>&1 || true; }
cleanup() {
  forget Excel.exe
  forget soffice.exe
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "app_paths_test: $*" >&2
  exit 1
}
# Wine's drive Z: is the root of the file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# Waits (10 s at most) for the stand-in's record, which must name the workbook.
expect_started() {
  local record=$1
  for _ in $(seq 100); do
    [ -s "$record" ] && break
    sleep 0.1
  done
  [ -s "$record" ] || fail "the stand-in was not started ($record)"
  grep -qF "$workbook" "$record" || fail "the stand-in did not get the workbook: $(cat "$record")"
}

workbook="$work/day.xlsx"
: >"$workbook"
mkdir -p "$work/excel" "$work/calc"
cp "$recorder" "$work/excel/excel-standin.exe"
cp "$recorder" "$work/calc/soffice.exe"

forget Excel.exe
forget soffice.exe

wine_ reg add "$key\\Excel.exe" /ve /d "$(windows_path "$work/excel/excel-standin.exe")" /f >/dev/null
out=$(wine_ "$probe" "$workbook") || fail "no program started with Excel registered: $out"
grep -qF "Excel.exe=$(windows_path "$work/excel/excel-standin.exe")" <<<"$out" || fail "Excel's entry not read: $out"
expect_started "$work/excel/excel-standin.exe.args"

forget Excel.exe
wine_ reg add "$key\\soffice.exe" /v Path /d "$(windows_path "$work/calc")" /f >/dev/null
out=$(wine_ "$probe" "$workbook") || fail "no program started with LibreOffice registered: $out"
grep -qF "soffice.exe=$(windows_path "$work/calc")\\soffice.exe" <<<"$out" || fail "LibreOffice's entry not read: $out"
expect_started "$work/calc/soffice.exe.args"
echo "app_paths_test: passed"
