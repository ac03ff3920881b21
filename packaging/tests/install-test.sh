#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and validates what a desktop reads from it.
# Usage: install-test.sh CMAKE BUILD_DIR APP_ID
set -eu
cmake=$1 build=$2 id=$3
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for file in bin/tracktune share/icons/hicolor/scalable/apps/$id.svg; do
    [ -s "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
# The validator exits with 0 on warnings and hints: any word from it fails the test.
report=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) || true
[ -z "$report" ] || { echo "$report"; exit 1; }
appstreamcli validate --no-net --strict "$prefix/share/metainfo/$id.metainfo.xml"
# The installed program answers its command line before it needs a display.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tracktune" "$@"; }
headless --help | grep -q '^Usage: tracktune' || { echo "tracktune --help failed without a display"; exit 1; }
headless --version | grep -q '^tracktune [0-9]' || { echo "tracktune --version failed without a display"; exit 1; }
"$prefix/bin/tracktune-cli" --version | grep -q '^tracktune-cli [0-9]' || { echo "tracktune-cli --version failed"; exit 1; }
status=0
headless -platform minimal --colour 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "an unknown option ended with $status, not 2"; exit 1; }
