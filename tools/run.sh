#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
if [ -x build/src/frame/zephyrin ]; then
  exec build/src/frame/zephyrin
fi
exec build/bench/engine_bench
