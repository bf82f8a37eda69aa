#!/usr/bin/env bash
# Builds the Debian package from a build of its own, without sanitizers and
# without tests (folder build-package: Release with Debian's hardening
# flags), then checks it with scripts/package-check.sh. Prints where the
# package is.
#
#   bash scripts/package.sh [<build-dir>]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${PLENFOX_PACKAGE_BUILD_DIR:-build-package}}

# Debian's flags (-O2, hardening, format checks) without debugging
# information: the package holds stripped binaries.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The default generator (Makefiles), as most people build: this build also
# shows that everything the package holds builds without Ninja. A folder
# made earlier with another generator is made anew.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Unix Makefiles$' "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DPLENFOX_BUILD_TESTS=OFF -DPLENFOX_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" "${launcher[@]}" >/dev/null
# Only what the package holds.
cmake --build "$build" -j "${PLENFOX_BUILD_JOBS:-2}" --target plenfoxclient plenfox-update-service \
  plenfox_desktop_files
rm -f "$build"/plenfox-client_*.deb
(cd "$build" && cpack -G DEB >cpack.log) || { cat "$build/cpack.log" >&2; exit 1; }
deb=$(ls "$build"/plenfox-client_*.deb)
bash scripts/package-check.sh "$deb" "$build/package-check"
echo "package: $deb"
