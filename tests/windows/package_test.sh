#!/usr/bin/env bash
# The packages as a user gets them: the portable zip unpacked and the
# installer run silently, each in a fresh Wine prefix with nothing of the
# build on Wine's search path. Each calorix.exe opens a day and a range,
# prints to a PDF printer and exports, through the same scripts that test
# the build tree's program.
#
# Usage: package_test.sh ZIP SETUP
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
zip=$(realpath "$1")
setup=$(realpath "$2")
samples=$root/samples
work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-packages.XXXXXX")
finish() {
  for prefix in "$work/portable" "$work/installed"; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "package test failed: $*" >&2
  exit 1
}

# A fresh prefix where Arial is Liberation Sans, as in the build's tests.
new_prefix() {
  "$root/cmake/wine-run" "$1" -- wineboot -i >/dev/null 2>&1 || true
  "$root/cmake/wine-run" "$1" -- reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial \
    /d 'Liberation Sans' /f >/dev/null 2>&1 || true
  WINEPREFIX=$1 wineserver -w
}

# A shell command that starts one calorix.exe in its prefix, for the scripts.
program() {
  local name=$1 prefix=$2 exe=$3
  printf '#!/bin/sh\nQT_QPA_PLATFORM=windows exec "%s" "%s" -- "%s" "$@"\n' "$root/cmake/wine-run" "$prefix" "$exe" \
    >"$work/run-$name"
  chmod +x "$work/run-$name"
  echo "$work/run-$name"
}

check() {
  local program=$1
  "$root/tests/app/smoke_test.sh" --wine "$program" "$samples/2024/05/20240531.csv"
  "$root/tests/app/smoke_test.sh" --wine --range "$samples/2024/05/20240531.csv" \
    --caption "01.05.2024 to 31.05.2024. (31 files found)" "$program" "$samples/2024/05/20240501.csv"
  local status=0
  "$root/tests/app/print_test.sh" --wine "$program" "$samples/2024/05/20240531.csv" || status=$?
  [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "printing from $program"
  "$root/tests/app/export_test.sh" "$program" "$samples/2024/05/20240531.csv" "$samples/export-20240531.csv"
}

echo "== the portable zip"
new_prefix "$work/portable"
mkdir -p "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked"
portable=$(find "$work/unpacked" -name calorix.exe | head -n1)
[ -n "$portable" ] || fail "no calorix.exe in $zip"
check "$(program portable "$work/portable" "$portable")"

echo "== the installer"
new_prefix "$work/installed"
"$root/cmake/wine-run" "$work/installed" -- "$setup" /S || fail "the installer ended with an error"
# The prefix's Wine session, begun without a display, ends before the
# program starts one with a display.
WINEPREFIX=$work/installed wineserver -w
installed=$(find "$work/installed/drive_c/users" -path '*/AppData/Local/Programs/Calorix/calorix.exe' | head -n1)
[ -n "$installed" ] || fail "nothing installed in the user's Programs folder"
check "$(program installed "$work/installed" "$installed")"
echo "package test passed"
