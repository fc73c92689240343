#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then runs every test. The last line is ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
