#!/usr/bin/env bash
# Sets up, builds and runs every test: unit, GL and end-to-end tests on the normal build,
# then the unit and GL tests again under AddressSanitizer and UndefinedBehaviorSanitizer, with a
# short end-to-end session of the game built that way.
# Starts its own virtual display when there is none. Extra arguments go to both ctest runs.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

# -noreset keeps the X server as it is between test programs rather than resetting it whenever
# the last one disconnects.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tools/test.sh "$@"
fi

jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVIRA_TESTS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error "$@"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZELVIRA_SANITIZE=ON -DZELVIRA_TESTS=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -L "unit|gl|e2e" "$@"
