#!/usr/bin/env bash
# Time and peak memory of "calorix --export year.xlsx --range FIRST LAST"
# over a generated year of per-minute day files (goal: under 10 s and
# 300 MB). Prints the wall and processor times, the peak resident memory
# and the workbook's size, RUNS times.
#
# Usage: xlsx_export.sh CALORIX CALORIX_GENLOG [RUNS] [YEAR]
set -euo pipefail

program=$1
genlog=$2
runs=${3:-3}
year=${4:-2023}
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is not installed" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-xlsx-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$genlog" --from "$year-01-01" --to "$year-12-31" --out "$work/logs" --layout year >/dev/null
first=$work/logs/$year/01/${year}0101.csv
last=$work/logs/$year/12/${year}1231.csv
mkdir -m 700 "$work/runtime"
echo "a year of per-minute day files: $(du -sh "$work/logs" | cut -f1)"
for run in $(seq "$runs"); do
  rm -f "$work/year.xlsx"
  QT_QPA_PLATFORM=offscreen HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    /usr/bin/time -f "run $run: %e s wall, %U s user + %S s system, peak %M KB" \
    "$program" --export "$work/year.xlsx" --range "$first" "$last"
done
echo "workbook: $(du -h "$work/year.xlsx" | cut -f1)"
