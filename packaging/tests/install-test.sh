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
for file in bin/tracktune bin/tracktune-demo bin/tracker-sim share/applications/$id.Demo.desktop \
    share/icons/hicolor/scalable/apps/$id.svg; do
    [ -s "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
# The validator exits with 0 on warnings and hints: any word from it fails the test.
report=$(desktop-file-validate "$prefix/share/applications/$id.desktop" \
    "$prefix/share/applications/$id.Demo.desktop" 2>&1) || true
[ -z "$report" ] || { echo "$report"; exit 1; }
appstreamcli validate --no-net --strict "$prefix/share/metainfo/$id.metainfo.xml"
# The installed program answers its command line before it needs a display.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tracktune" "$@"; }
headless --help | grep -q '^Usage: tracktune' || { echo "tracktune --help failed without a display"; exit 1; }
headless --version | grep -q '^tracktune [0-9]' || { echo "tracktune --version failed without a display"; exit 1; }
for demo in --help --version; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tracktune-demo" $demo | grep -q 'tracktune-demo' \
        || { echo "tracktune-demo $demo failed without a display"; exit 1; }
done
"$prefix/bin/tracktune-cli" --version | grep -q '^tracktune-cli [0-9]' || { echo "tracktune-cli --version failed"; exit 1; }
status=0
headless -platform minimal --colour 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "an unknown option ended with $status, not 2"; exit 1; }
# The installed simulator takes an identity, and the installed command line reads it.
"$prefix/bin/tracker-sim" --address 0xdd1001 --reg D-1001 >"$prefix/sim.port" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -rf "$prefix"' EXIT
tries=0
while [ ! -s "$prefix/sim.port" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
shown=$("$prefix/bin/tracktune-cli" --port "$(cat "$prefix/sim.port")" show)
echo "$shown" | grep -q 'Address = 0xDD1001$' || { echo "tracker-sim --address not shown: $shown"; exit 1; }
echo "$shown" | grep -q 'Reg = D-1001$' || { echo "tracker-sim --reg not shown: $shown"; exit 1; }
status=0
"$prefix/bin/tracker-sim" --address 12 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "tracker-sim --address 12 ended with $status, not 2"; exit 1; }
