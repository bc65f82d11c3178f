#!/usr/bin/env bash
# LibreOffice Calc, given a day file with the import filter that "Open in
# Excel" passes it, reads the numbers as numbers with their decimals: saved
# back as CSV with raw values, "14,5" comes out as 14.5 and "22,0" as 22
# (a text cell would keep its comma).
set -euo pipefail
day=$1
filter=$2
soffice=$(command -v soffice || command -v libreoffice) || { echo "LibreOffice (soffice) is not installed" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-calc.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$day" "$work/day.csv"
HOME="$work" timeout 180 "$soffice" "-env:UserInstallation=file://$work/profile" --headless "$filter" \
  --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,false,false' \
  --outdir "$work/out" "$work/day.csv" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
record=$(sed -n 2p "$work/out/day.csv" | tr -d '"\r')
IFS=, read -r -a fields <<<"$record"
echo "first record as Calc read it: $record"
[ "${fields[1]}" = "14.5" ] || { echo "T1 is '${fields[1]}', not 14.5" >&2; exit 1; }
[ "${fields[6]}" = "22" ] || { echo "T6 is '${fields[6]}', not 22" >&2; exit 1; }
echo "1 passed, 0 failed"
