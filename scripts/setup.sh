# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/run and scripts/test: installs what a fresh Debian machine
# lacks for building, testing and showing the program, then configures build/ (Qt 5)
# or, with TRACKTUNE_QT_MAJOR=6 in the environment, build-qt6/ (Qt 6).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QT_MAJOR="${TRACKTUNE_QT_MAJOR:-5}"
case "$QT_MAJOR" in
5) BUILD_SUFFIX=""
   QT_PACKAGES=(qtbase5-dev libqt5serialport5-dev qttools5-dev-tools
                qttools5-dev qttranslations5-l10n) ;; # lupdate and lrelease for CMake; Qt's own texts translated
6) BUILD_SUFFIX="-qt6"
   QT_PACKAGES=(qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools
                qt6-l10n-tools qt6-translations-l10n) ;;
*) echo "TRACKTUNE_QT_MAJOR is 5 or 6, not '$QT_MAJOR'" >&2; exit 2 ;;
esac
BUILD_DIR="${BUILD_DIR:-$ROOT/build$BUILD_SUFFIX}"
EXTRA_CMAKE_ARGS=()
PACKAGES=(cmake g++ make "${QT_PACKAGES[@]}"
          xvfb xauth imagemagick fonts-dejavu-core
          desktop-file-utils appstream dpkg-dev file lintian # the install and package tests
          groff-base # the manual page check
          at-spi2-core python3-pyatspi dbus-daemon # the window read over the accessibility bus
          orca xdotool) # what a screen reader speaks while the pilot uses the keys

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKTUNE_WERROR=ON \
        -DTRACKTUNE_QT_MAJOR="$QT_MAJOR" "${EXTRA_CMAKE_ARGS[@]}" >/dev/null
    cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
}
