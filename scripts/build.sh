#!/usr/bin/env bash
# Configures and builds Lumora (engine, apps, studio, tests) and authors the
# resource tree into build/bin. Usage: scripts/build.sh [BUILD_DIR] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
shift || true
# ccache, when the machine has it, makes rebuilds of a fresh clone quick.
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
