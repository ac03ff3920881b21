# Sourced by scripts/run and scripts/test: installs what a fresh Debian machine
# lacks for building, testing and showing the program, then configures build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
EXTRA_CMAKE_ARGS=()
PACKAGES=(cmake g++ make qtbase5-dev libqt5serialport5-dev qttools5-dev-tools
          qttools5-dev qttranslations5-l10n # lupdate and lrelease for CMake; Qt's own texts translated
          xvfb xauth imagemagick fonts-dejavu-core
          desktop-file-utils appstream dpkg-dev file # the install and package tests
          groff-base) # the manual page check

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
        "${EXTRA_CMAKE_ARGS[@]}" >/dev/null
    cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
}
