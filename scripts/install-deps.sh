#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lumora need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail
PACKAGES=(
  cmake ninja-build g++ pkg-config lld
  qt6-base-dev qt6-multimedia-dev libqt6concurrent6 qt6-translations-l10n qt6-l10n-tools
  libturbojpeg0-dev libjpeg62-turbo-dev libpng-dev libdeflate-dev zlib1g-dev libexif-dev
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev libyuv-dev
  libopencc-dev libuchardet-dev nlohmann-json3-dev libgtest-dev libdlib-dev
  libaubio-dev libebur128-dev python3-skimage
  fonts-wqy-microhei fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core ffmpeg xvfb xauth xdotool
  pulseaudio pulseaudio-utils desktop-file-utils clang-format
  dpkg-dev librsvg2-bin help2man appstream
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
