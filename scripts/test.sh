#!/usr/bin/env bash
# Installs what is missing, builds everything under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole test suite (with it the
# checks of the tree: scripts/check-includes.py for the include arrows and
# scripts/windows-syntax-check.sh for the Windows branches); builds and checks
# the Debian package (scripts/package.sh); then builds the
# core and its tests under ThreadSanitizer and runs them again, since the
# core's threads (dispatcher, update worker, download and install threads)
# meet in ways no single run shows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${PLENFOX_TEST_BUILD_DIR:-build-asan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLENFOX_SANITIZE=ON -DPLENFOX_BUILD_TESTS=ON
cmake --build "$build"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2

# The Debian package, from a build of its own without sanitizers, and its
# checks (file list, lintian, desktop entry, AppStream metadata, the unpacked
# program run headless).
( unset ASAN_OPTIONS UBSAN_OPTIONS QT_QPA_PLATFORM; bash scripts/package.sh )

tsan=${PLENFOX_TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLENFOX_TSAN=ON -DPLENFOX_BUILD_TESTS=ON
cmake --build "$tsan" --target plenfox_core plenfox_tests
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp}
# Only the core's tests are built here: run those alone.
ctest --test-dir "$tsan" --output-on-failure -j2 -L core
