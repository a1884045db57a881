#!/usr/bin/env bash
# Installs the Debian packages the build needs (only the missing ones) and builds into build/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libjpeg62-turbo-dev libxlsxwriter-dev libcurl4-openssl-dev libsodium-dev
    nlohmann-json3-dev fonts-ipafont-gothic fonts-ipafont-mincho
    libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

build() { # build <dir> [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
