#!/usr/bin/env bash
# Re-generates the committed route, assets/replays/route.zrec, after a change to the level, the
# player or the physics: builds the route maker and steers the player through the shipped level.
# It writes nothing and fails when the route no longer reaches the finish with 20 s to spare; the
# steps in tools/route/make_route.cpp then need to follow the level. Starts its own virtual
# display when there is none (the level import needs an OpenGL context).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" tools/make_route.sh "$@"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target zelvira-route
build/tools/route/zelvira-route "$@"
