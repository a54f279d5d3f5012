#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need; with --run only what
# building and running the program need. Skips apt when all are already there. Run as root or
# with sudo available.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libturbojpeg0-dev libjpeg-dev
  libswe-dev swe-basic-data
  libgeonames-dev libicu-dev tzdata
  libfreetype-dev libfontconfig-dev
  fonts-dejavu fonts-liberation fonts-symbola
  librsvg2-bin
)
if [ "${1:-}" != "--run" ]; then
  packages+=(
    clang clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick poppler-utils ghostscript
    dpkg-dev desktop-file-utils appstream man-db lintian shared-mime-info
    xdg-utils libfile-mimeinfo-perl
  )
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
