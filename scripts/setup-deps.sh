#!/usr/bin/env bash
# Installs what the build, the tests and the run need on Debian 12; quick when all is present.
set -euo pipefail
packages=(
    cmake make g++ pkg-config python3
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
    xvfb xauth xdotool imagemagick x11-utils fonts-dejavu-core
    clang libclang-rt-14-dev
    librsvg2-bin dpkg-dev file desktop-file-utils appstream shared-mime-info libglib2.0-bin
    acme
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
