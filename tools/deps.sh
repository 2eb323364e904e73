#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Lantrel.
# Sourced by ./run and ./test; does nothing when every package is present.
LANTREL_PACKAGES=(
    g++ cmake ninja-build pkg-config python3
    qt6-base-dev qt6-base-dev-tools qt6-5compat-dev qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
    libgl-dev libglx-dev libopengl-dev libxkbcommon-dev
    libusb-1.0-0-dev libhidapi-dev libxcb1-dev
    xvfb xauth openbox metacity twm x11-utils fonts-dejavu-core libxcb-xtest0-dev
    libxml2-utils binutils srecord cloc
    imagemagick python3
)

lantrel_install_deps() {
    local missing=()
    local p
    for p in "${LANTREL_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q || return 1
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" || return 1
}
