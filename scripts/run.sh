#!/usr/bin/env bash
# Installs what is missing, builds the client and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${PLENFOX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENFOX_BUILD_TESTS=OFF
cmake --build "$build" --target plenfoxclient
exec "$build/plenfoxclient"
