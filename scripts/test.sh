#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite (windows are tested offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
