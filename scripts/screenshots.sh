#!/bin/sh
# Writes a PNG of every window of the desktop program, named after the
# window's object name, into BUILD_DIR/screenshots/ (TForm2.png, TForm2-2.png…).
# Runs the real windows under a virtual X server (xvfb-run).
#   scripts/screenshots.sh [BUILD_DIR]     (default: build)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$here/$build ;; esac
cmake --build "$build" --target lumora_screenshots -j2
out=$build/screenshots
rm -rf "$out"
mkdir -p "$out"
# A private runtime folder: the working root of the run lives there.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1600x1000x24" "$build/tests/lumora_screenshots" "$out"
echo "screenshots in $out"
