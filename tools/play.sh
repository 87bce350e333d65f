#!/usr/bin/env bash
# Sets up, builds and starts the game from the repository root, where assets/ is.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZELVIRA_TESTS=OFF
cmake --build build -j"$(nproc)" --target zelvira
exec build/zelvira
