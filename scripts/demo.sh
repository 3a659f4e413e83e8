#!/usr/bin/env bash
# The main job in one command: installs what is missing, builds Lumora (the
# resource tree included) and makes the demo album from the bundled sample
# photos, song and lyrics. Prints the path of the video.
# Usage: scripts/demo.sh [lumora-make options...]   (output folder: ./output)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >&2
scripts/build.sh build >&2
mkdir -p output
build/bin/lumora-make --out output "$@"
