#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite (windows are tested offscreen),
# then builds it again with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# in build-sanitize/ and runs the whole suite once more there.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")

echo "== sanitizers (ASan + LSan + UBSan)"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMENO_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$(nproc)"
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
