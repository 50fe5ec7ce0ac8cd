#!/usr/bin/env bash
# Sets everything up, builds and starts Lumeno.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
exec ./build/lumeno "$@"
