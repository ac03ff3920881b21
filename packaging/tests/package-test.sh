#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into a temporary folder and checks its files and dependencies.
# Usage: package-test.sh CPACK BUILD_DIR APP_ID QT_MAJOR
set -eu
cpack=$1 build=$2 id=$3 qt=$4
for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
deb=$(ls "$out"/tracktune_*_"$(dpkg --print-architecture)".deb)
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$out/files"
# One line per installed file.
for file in \
    ./usr/bin/tracktune \
    ./usr/bin/tracktune-cli \
    ./usr/bin/tracktune-demo \
    ./usr/bin/tracker-sim \
    ./usr/share/applications/$id.desktop \
    ./usr/share/applications/$id.Demo.desktop \
    ./usr/share/man/man1/tracktune-demo.1.gz \
    ./usr/share/man/man1/tracker-sim.1.gz \
    ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/man/man1/tracktune.1.gz \
    ./usr/share/doc/tracktune/copyright \
    ./usr/share/doc/tracktune/changelog.gz \
    ./usr/share/tracktune/firmware/README.txt \
    ./usr/share/tracktune/firmware/esp32-tracker/config-app.txt \
    ./usr/share/tracktune/firmware/esp32-tracker/config-merged.txt \
    ./usr/share/tracktune/firmware/esp32s3-tracker/config-app.txt \
    ./usr/share/tracktune/firmware/esp32s3-tracker/config-merged.txt \
    ./usr/share/tracktune/firmware/esp32c3-tracker/config-app.txt \
    ./usr/share/tracktune/firmware/esp32c3-tracker/config-merged.txt; do
    grep -qxF "$file" "$out/files" || { echo "missing from $deb: $file"; exit 1; }
done
# No binaries that are not ours: the firmware folders hold text only.
if grep -E '^\./usr/share/tracktune/firmware/.*\.(bin|exe|py)$|/esptool$' "$out/files"; then
    echo "the firmware folders hold a flasher or an image"
    exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The libraries of the Qt it was built with, and none of the other's.
for library in core gui widgets serialport; do
    echo "$depends" | grep -q "libqt$qt$library$qt" || { echo "Depends lacks libqt$qt$library$qt"; exit 1; }
done
other=$((11 - qt))
if echo "$depends" | grep -q "libqt$other"; then
    echo "Depends names Qt $other libraries"
    exit 1
fi
recommends=$(dpkg-deb -f "$deb" Recommends)
case $qt in
5) translations=qttranslations5-l10n ;;
*) translations=qt6-translations-l10n ;;
esac
[ "$recommends" = "$translations" ] || { echo "Recommends '$recommends', not $translations"; exit 1; }
# The licence: GPL 3 or later, as Debian's copyright format names it.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/tracktune/copyright | grep -qx 'License: GPL-3+' ||
    { echo "the copyright file does not name GPL-3+"; exit 1; }
# Debian's checks: no error and no warning (skipped where lintian is not installed).
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb"
fi
