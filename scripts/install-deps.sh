#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, test, package and run the
# client.
# Only what is missing is installed, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-webengine-dev qt6-qpa-plugins qt6-svg-dev libqt6svg6 qt6-base-dev-tools
  libzip-dev zlib1g-dev libpugixml-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  openjdk-17-jdk-headless
  zip unzip libarchive-tools python3 curl dbus-daemon
  xvfb xauth imagemagick xdotool x11-utils
  g++-mingw-w64-x86-64
  dpkg-dev file lintian desktop-file-utils appstream
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
