#!/usr/bin/env bash
# Builds the Debian package lumora_VERSION_amd64.deb from a build folder
# (scripts/build.sh first) into BUILD_DIR/package, checks its AppStream
# metadata and, with --lintian, runs lintian on it. Prints the path of the
# package.
#   --fast   zstd instead of xz, into BUILD_DIR/package-fast: seconds instead of
#            minutes, for the test that unpacks it (dpkg reads it; lintian
#            refuses it, so not with --lintian).
# Usage: scripts/package.sh [BUILD_DIR] [--lintian] [--fast]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build
LINTIAN=0
FAST=0
for a in "$@"; do
  case "$a" in
    --lintian) LINTIAN=1 ;;
    --fast) FAST=1 ;;
    -*) echo "package.sh: unknown option $a" >&2; exit 2 ;;
    *) BUILD_DIR=$a ;;
  esac
done
if [ "$LINTIAN" = 1 ] && [ "$FAST" = 1 ]; then
  echo "package.sh: lintian does not read the zstd package of --fast" >&2
  exit 2
fi
BUILD_DIR=$(cd "$BUILD_DIR" && pwd)
appstreamcli validate --no-net data/org.lumora.Lumora.metainfo.xml >/dev/null
# Everything the package holds must be built (icons, manual pages, the tree).
TARGETS=(lumora lumora-make lumora_desktop_files lumora_translations)
grep -q '^LUMORA_BUILD_TREE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" && TARGETS+=(resource_tree)
cmake --build "$BUILD_DIR" -j"$(nproc)" --target "${TARGETS[@]}" >/dev/null
OUT="$BUILD_DIR/package"
CPACK_ARGS=()
if [ "$FAST" = 1 ]; then
  OUT="$BUILD_DIR/package-fast"
  CPACK_ARGS=(-D CPACK_DEBIAN_COMPRESSION_TYPE=zstd)
fi
rm -rf "$OUT"
mkdir -p "$OUT"
(cd "$OUT" && cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" "${CPACK_ARGS[@]}" >/dev/null)
# cpack's copy of the installed tree is not needed any more.
rm -rf "$OUT/_CPack_Packages"
DEB=$(ls "$OUT"/lumora_*_amd64.deb)
if [ "$LINTIAN" = 1 ]; then
  # Errors fail the script; warnings are shown.
  lintian --fail-on error "$DEB" >&2
fi
echo "$DEB"
