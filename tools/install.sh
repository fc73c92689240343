#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), makes the Debian package and installs
# it (through sudo when not run as root).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --build build --target compressed_docs
(cd build && cpack -G DEB)
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "./$(ls build/zephyrin_*_*.deb | tail -n 1)"
