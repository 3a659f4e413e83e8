#!/usr/bin/env bash
# The main job in one command: installs what is missing, builds only what the
# demo needs (lumora-make and the resource tree, not the tests or benchmarks)
# and makes the demo album from the bundled sample photos, song and lyrics.
# Prints the path of the video.
# Usage: scripts/demo.sh [lumora-make options...]   (output folder: ./output)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >&2
# The same configuration as scripts/build.sh, so that the two share one build.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
cmake --build build -j"$(nproc)" --target lumora-make resource_tree >&2
mkdir -p output
build/bin/lumora-make --out output "$@"
