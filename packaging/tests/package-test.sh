#!/bin/sh
# Builds the Debian package into a temporary folder and checks its files and dependencies.
# Usage: package-test.sh CPACK BUILD_DIR APP_ID
set -eu
cpack=$1 build=$2 id=$3
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
    ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/man/man1/tracktune.1.gz \
    ./usr/share/doc/tracktune/copyright \
    ./usr/share/doc/tracktune/changelog.gz; do
    grep -qxF "$file" "$out/files" || { echo "missing from $deb: $file"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt5core5 libqt5gui5 libqt5widgets5 libqt5serialport5; do
    echo "$depends" | grep -q "$library" || { echo "Depends lacks $library"; exit 1; }
done
