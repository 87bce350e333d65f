#!/usr/bin/env bash
# Installs every Debian 12 package Zelvira needs to build, play and test. Does nothing when all are there.
set -euo pipefail

packages=(
    # build
    build-essential cmake pkg-config
    # libraries
    libglfw3-dev libglew-dev libbullet-dev libassimp-dev libfreetype-dev libstb-dev
    libinih-dev libglm-dev libopenal-dev libsndfile1-dev
    # runtime: Mesa's software OpenGL
    libgl1-mesa-dri libglx-mesa0
    # tests: unit and benchmark frameworks, a virtual display, key events, screenshots, OCR of the HUD
    googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils xdotool imagemagick
    tesseract-ocr tesseract-ocr-eng
    # tests and the sound generator: reading the game's recorded sound output, synthesising the effects
    python3 python3-pil python3-numpy
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
