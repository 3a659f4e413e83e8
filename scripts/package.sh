#!/usr/bin/env bash
# Builds the Debian package lumora_VERSION_amd64.deb from a build folder
# (scripts/build.sh first), checks its AppStream metadata and, with --lintian,
# runs lintian on it. Prints the path of the package.
# Usage: scripts/package.sh [BUILD_DIR] [--lintian]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build
LINTIAN=0
for a in "$@"; do
  case "$a" in
    --lintian) LINTIAN=1 ;;
    *) BUILD_DIR=$a ;;
  esac
done
BUILD_DIR=$(cd "$BUILD_DIR" && pwd)
appstreamcli validate --no-net data/org.lumora.Lumora.metainfo.xml >/dev/null
# Everything the package holds must be built (icons, manual pages, the tree).
cmake --build "$BUILD_DIR" -j"$(nproc)" --target lumora lumora-make lumora_desktop_files >/dev/null
# The package lands in its own folder of the build.
OUT="$BUILD_DIR/package"
mkdir -p "$OUT"
(cd "$OUT" && cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" >/dev/null)
DEB=$(ls -t "$OUT"/lumora_*_amd64.deb | head -1)
if [ "$LINTIAN" = 1 ]; then
  # Errors fail the script; warnings are shown.
  lintian --fail-on error "$DEB" >&2
fi
echo "$DEB"
