#!/usr/bin/env bash
# Installs what building, running and testing Tillscribe needs (Debian, as root).
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-serialport-dev libgl-dev
    libgtest-dev googletest
    libsimpleini-dev libarchive-dev
    socat xvfb xauth poppler-utils fonts-liberation desktop-file-utils dpkg-dev
    cups cups-client cups-bsd printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
