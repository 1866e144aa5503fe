#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the viewer and the tests need.
# Only packages that are missing are installed; nothing is downloaded from elsewhere.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev qt5-image-formats-plugins qttranslations5-l10n
    libopencv-dev libjpeg62-turbo-dev libqcustomplot-dev libx264-dev libavcodec-dev libaravis-dev libusb-1.0-0-dev aravis-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-roboto fonts-droid-fallback breeze-icon-theme librsvg2-bin
    xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
