#!/usr/bin/env bash
# Sets up, builds and starts the game from the repository root, where assets/ is. Arguments go to
# the game (--record FILE, --replay FILE, --exit-when-done).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
# Its own build folder: the test command's build/ keeps its tests and its build type.
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DZELVIRA_TESTS=OFF
cmake --build build-play -j"$(nproc)" --target zelvira
exec build-play/zelvira "$@"
