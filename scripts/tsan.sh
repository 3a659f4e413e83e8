#!/usr/bin/env bash
# Builds the engine, session and window tests with ThreadSanitizer and runs
# them. Usage: scripts/tsan.sh [BUILD_DIR] [ctest arguments...]
# The resource tree is not authored again: it is linked in from the main
# build (LUMORA_TREE_BUILD, default build/, made by scripts/build.sh).
# Qt itself is not built with ThreadSanitizer, so the reports it cannot judge
# are suppressed by scripts/tsan.supp (each line says why); a report in our
# own code fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build-tsan}
shift || true
TREE_BUILD=${LUMORA_TREE_BUILD:-build}
if [ ! -d "$TREE_BUILD/bin/smxcwjj" ]; then
  echo "tsan.sh: no authored resource tree in $TREE_BUILD/bin (run scripts/build.sh first)" >&2
  exit 1
fi
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Sources are compiled with precompiled headers; ccache caches those builds
# only when told that the header's time stamps and macros may be trusted.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" \
  -DLUMORA_SANITIZE_THREAD=ON -DLUMORA_BUILD_TREE=OFF -DLUMORA_BUILD_TOOLS=OFF "${LAUNCHER[@]}" >/dev/null
TESTS=(test_app test_album test_effects test_preview test_preview_stress test_session test_session_stress
       test_work_root test_project_file test_ui_stress test_ui_photos test_ui_app test_ui_effects test_ui_media
       test_ui_production)
if [ -n "${LUMORA_TSAN_TESTS:-}" ]; then
  read -r -a TESTS <<<"$LUMORA_TSAN_TESTS"
fi
cmake --build "$BUILD_DIR" -j"$(nproc)" --target "${TESTS[@]}"
# The read-only resource tree beside the test programs, as links (existing
# files, the programs just built, are kept).
cp -rsn "$(realpath "$TREE_BUILD/bin")/." "$BUILD_DIR/bin/"
export TSAN_OPTIONS="suppressions=$(realpath scripts/tsan.supp) halt_on_error=0 exitcode=66 second_deadlock_stack=1 history_size=4 ${TSAN_OPTIONS:-}"
status=0
for t in "${TESTS[@]}"; do
  echo "== $t"
  if ! QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tests/$t" "$@" >"$BUILD_DIR/$t.log" 2>&1; then
    echo "   FAILED (see $BUILD_DIR/$t.log)"
    status=1
  fi
  echo "   $(grep -c 'WARNING: ThreadSanitizer' "$BUILD_DIR/$t.log" || true) ThreadSanitizer reports," \
       "$(grep -E -o '\[ +(PASSED|FAILED) +\] [0-9]+' "$BUILD_DIR/$t.log" | tr -s ' ' | paste -sd' ')"
done
exit $status
