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
# Sources are compiled with precompiled headers; ccache caches those builds
# only when told that the header's time stamps and macros may be trusted.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# Optimised as the benchmarks are measured (-O2), without debug information:
# a quarter quicker to compile and link. For profiling, configure a folder of
# your own with -DCMAKE_BUILD_TYPE=RelWithDebInfo.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" -DLUMORA_BUILD_BENCH=ON "${LAUNCHER[@]}" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
