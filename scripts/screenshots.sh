#!/bin/sh
# Writes a PNG of every window of the desktop program, named after the
# window's object name, into BUILD_DIR/screenshots/ (TForm2.png, TForm2-2.png…).
# Runs the real windows under a virtual X server (xvfb-run).
#   scripts/screenshots.sh [BUILD_DIR [SCALE [LANG]]]     (defaults: build, 1, zh)
# SCALE 2 draws every window at device pixel ratio 2 (a high-density screen)
# into BUILD_DIR/screenshots-x2/. LANG en shows the English interface (into
# BUILD_DIR/screenshots-en/, or screenshots-x2-en/) and reports every
# interface text still in Chinese.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
scale=${2:-1}
lang=${3:-zh}
case $build in /*) ;; *) build=$here/$build ;; esac
cmake --build "$build" --target lumora_screenshots -j2
out=$build/screenshots
[ "$scale" = 1 ] || out=$build/screenshots-x$scale
check=
[ "$lang" = zh ] || { out=$out-$lang; check=--check-texts; }
rm -rf "$out"
mkdir -p "$out"
# A private runtime folder: the working root of the run lives there.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime QT_SCALE_FACTOR=$scale \
  xvfb-run -a -s "-screen 0 3200x2000x24" "$build/tests/lumora_screenshots" --lang "$lang" $check "$out"
echo "screenshots in $out"
