#!/bin/sh
# Renders the same frames with two builds of the game and compares them pixel by pixel.
#
#   tools/frame-compare/compare-builds.sh BASELINE_ROOT BASELINE_BINARY ROOT BINARY [FRAME [TURN...]]
#
# Each build runs from its own repository root (so that it reads its own assets) with the fixed
# clock of fixed_clock_capture.c preloaded: both see the same game time and camera, so peas,
# video frame and dither agree, and any difference is the renderer's. For every TURN (cursor
# pixels per frame; default 0 8 25) frame FRAME (default 45) is captured from both and compared;
# the exit status is 0 when every comparison's mean absolute error per channel is at most one
# 8-bit step. COMPARE_ROWS=FIRST:END compares only those rows (e.g. leaving out a HUD that differs
# on purpose), ZELVIRA_CAPTURE_STEP sets the game time per frame (default 1/30 s) and KEEP_FRAMES=DIR
# keeps the captured frames there. Needs DISPLAY, a C compiler and the GLFW development files.
set -eu
if [ $# -lt 4 ]; then
    sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi
baseRoot=$1 baseBinary=$2 root=$3 binary=$4
frame=${5:-45}
shift 4
[ $# -gt 0 ] && shift
turns=${*:-0 8 25}

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/capture.so" "$here/fixed_clock_capture.c" -ldl -lGL

capture() { # root binary image turn
    (cd "$1" && LD_PRELOAD="$work/capture.so" ZELVIRA_CAPTURE_FILE="$3" ZELVIRA_CAPTURE_FRAME=$frame \
        ZELVIRA_CAPTURE_TURN=$4 "$2" >"$3.log" 2>&1) || { echo "capture failed, see:"; cat "$3.log"; exit 1; }
}

status=0
for turn in $turns; do
    capture "$baseRoot" "$baseBinary" "$work/base-$turn.ppm" "$turn"
    capture "$root" "$binary" "$work/new-$turn.ppm" "$turn"
    printf 'frame %s, turning %s px per frame: ' "$frame" "$turn"
    python3 "$here/compare_images.py" ${COMPARE_ROWS:+--rows "$COMPARE_ROWS"} "$work/base-$turn.ppm" "$work/new-$turn.ppm" ||
        status=1
    if [ -n "${KEEP_FRAMES:-}" ]; then
        cp "$work/base-$turn.ppm" "$work/new-$turn.ppm" "$KEEP_FRAMES/"
    fi
done
exit $status
