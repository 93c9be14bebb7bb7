#!/bin/bash
# Installs the Debian 12 packages the project needs to build, run and test (only the missing ones).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config git
          libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev
          libfreetype-dev libpng-dev libcli11-dev nlohmann-json3-dev
          unifont fonts-wqy-zenhei
          xvfb xauth x11-apps xdotool imagemagick qt6-translations-l10n
          clang-16 libclang-rt-16-dev)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
