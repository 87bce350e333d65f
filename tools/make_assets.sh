#!/usr/bin/env bash
# Regenerates every runtime asset under assets/: the material maps, the sky panorama,
# the 120 video frames, the sound effects, the font (DejaVu Sans, copied with its licence) and the level.
# Needs the Debian packages blender, python3-numpy, python3-pil and fonts-dejavu-core.
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian's interpreter: the numpy and PIL packages belong to it.
python=/usr/bin/python3
textures=assets/textures
dejavu=/usr/share/fonts/truetype/dejavu

mkdir -p "$textures/videoframes" assets/fonts
"$python" tools/assets/textures.py "$textures"
"$python" tools/assets/sky.py "$textures/quarry_03.jpg"
"$python" tools/assets/video.py "$textures/videoframes" "$dejavu/DejaVuSans-Bold.ttf"
"$python" tools/assets/sounds.py assets/sounds

cp "$dejavu/DejaVuSans.ttf" assets/fonts/arial.ttf
cp /usr/share/doc/fonts-dejavu-core/copyright assets/fonts/LICENSE-DejaVu.txt

blender -b --factory-startup --python tools/level/make_level.py -- "$PWD/assets"
# The same course without turrets, for the end-to-end test that walks and resets.
blender -b --factory-startup --python tools/level/make_level.py -- "$PWD/assets" \
    --without-turrets "$PWD/tests/e2e/fixtures/course_without_turrets.fbx"
