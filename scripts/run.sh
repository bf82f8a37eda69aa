#!/usr/bin/env bash
# Installs what is missing, builds the client and the reference update
# service, starts the service on the client's default host (127.0.0.1:8642)
# unless something already listens there, and runs the client.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${PLENFOX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENFOX_BUILD_TESTS=OFF
cmake --build "$build" --target plenfoxclient plenfox-update-service

service_pid=
if ! (exec 3<>/dev/tcp/127.0.0.1/8642) 2>/dev/null; then
  "$build/service/plenfox-update-service" --port 8642 --catalog service/sample-catalog.xml &
  service_pid=$!
  trap 'kill "$service_pid" 2>/dev/null || true' EXIT
  sleep 0.5
fi
# The browser engine refuses to run as root inside its own sandbox.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
"$build/plenfoxclient"
