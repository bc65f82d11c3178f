#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate, and "cmake --install"
# puts the program, the entry and the icon in every hicolor size where a
# desktop looks for them.
#
# Usage: desktop_entry_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$1
build=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/calorix-desktop.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "desktop_entry_test: $*" >&2
  exit 1
}

desktop-file-validate "$source/desktop/calorix.desktop" || fail "desktop-file-validate refused the entry"
grep -qx 'Exec=calorix %F' "$source/desktop/calorix.desktop" || fail "the entry does not pass the chosen files"
grep -qx 'MimeType=text/csv;' "$source/desktop/calorix.desktop" || fail "the entry does not offer itself for CSV"

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "cmake --install failed: $(cat "$work/install.log")"
[ -x "$work/prefix/bin/calorix" ] || fail "no program installed"
desktop-file-validate "$work/prefix/share/applications/calorix.desktop" || fail "no valid entry installed"
[ -f "$work/prefix/share/icons/hicolor/scalable/apps/calorix.svg" ] || fail "no scalable icon"
for size in 16 24 32 48 64 128 256; do
  icon="$work/prefix/share/icons/hicolor/${size}x${size}/apps/calorix.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  # A PNG's width and height stand big-endian at bytes 16 and 20.
  [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    fail "the ${size}x${size} icon has another size"
done
echo "desktop_entry_test: passed"
