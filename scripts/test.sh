#!/usr/bin/env bash
# The one test command: installs what is missing, builds everything (the
# resource tree included) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
scripts/install-deps.sh
# The benchmarks are not tests: scripts/build.sh builds them, the test run
# leaves them out (a tenth of the build).
scripts/build.sh build -DLUMORA_BUILD_BENCH=OFF
( cd build && ctest --output-on-failure -j"$(nproc)" --timeout 600 )
if [ "${LUMORA_SKIP_SANITIZE:-0}" != "1" ]; then
  # Engine tests again under AddressSanitizer + UndefinedBehaviorSanitizer
  # (no windows, no resource tree: the tree tests run in the main build).
  scripts/build.sh build-asan -DLUMORA_SANITIZE=ON -DLUMORA_BUILD_UI=OFF -DLUMORA_BUILD_TREE=OFF -DLUMORA_BUILD_TOOLS=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1
  # The main build's resource tree, linked in read-only, for the stress tests
  # that play real templates.
  cp -rsn "$(realpath build/bin)/." build-asan/bin/
  ( cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$(nproc)" --timeout 600 -LE 'slow|tree' )
fi
echo "test.sh: all tests passed in $(( $(date +%s) - start )) s"
