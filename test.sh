#!/usr/bin/env bash
# Set up, build and run every test; then the same tests once more under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

build build-asan -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON -DORV_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
echo "All tests passed."
