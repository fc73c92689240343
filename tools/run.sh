#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
exec build/src/frame/zephyrin "$@"
