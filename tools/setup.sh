#!/usr/bin/env bash
# Installs what the build needs (Debian 12), then configures and builds into build/.
# Usage: tools/setup.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config libhwy-dev qt6-base-dev qt6-image-formats-plugins libgl-dev libpng-dev libjpeg-dev libtiff-dev
          libopenexr-dev nlohmann-json3-dev ffmpeg libopenmpi-dev openmpi-bin
          libgtest-dev libbenchmark-dev desktop-file-utils appstream shared-mime-info xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build
