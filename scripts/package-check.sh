#!/usr/bin/env bash
# Checks a Debian package of the program without installing it: its file
# list, its dependencies, lintian, the desktop entry and the AppStream
# metadata; then unpacks it (dpkg-deb -x) into a temporary folder and runs
# the unpacked program headless in a sandboxed home (scripts/program-run.sh),
# which must load its private libraries from lib/plenfoxclient, and the
# unpacked update service on its own sample catalog.
#
#   bash scripts/package-check.sh <package.deb> [<artefact-dir>]
set -euo pipefail
deb=$(realpath "$1")
out=$(realpath -m "${2:-package-check}")
scripts=$(cd "$(dirname "$0")" && pwd)
id=com.plenfox.PlenfoxClient

rm -rf "$out" && mkdir -p "$out"
root=$(mktemp -d)
service_pid=
cleanup() {
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "package-check: $*" >&2; exit 1; }

# The files: the program, its private libraries, the service and its sample
# catalog, the desktop files, Debian's two documents; nothing else.
expected="./usr/bin/plenfox-update-service
./usr/bin/plenfoxclient
./usr/lib/plenfoxclient/libcef.so
./usr/lib/plenfoxclient/libjawt.so
./usr/lib/plenfoxclient/libviewlink.so
./usr/share/applications/$id.desktop
./usr/share/doc/plenfox-client/changelog.gz
./usr/share/doc/plenfox-client/copyright
./usr/share/icons/hicolor/128x128/apps/$id.png
./usr/share/icons/hicolor/256x256/apps/$id.png
./usr/share/icons/hicolor/48x48/apps/$id.png
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/metainfo/$id.metainfo.xml
./usr/share/plenfoxclient/sample-catalog.xml"
dpkg-deb -c "$deb" >"$out/contents.txt"
files=$(awk '$1 !~ /^d/ { print $6 }' "$out/contents.txt" | sort)
[ "$files" = "$expected" ] ||
  fail "unexpected file list:$(diff <(echo "$expected") <(echo "$files") | sed 's/^/\n  /')"

# Dependencies computed from the linked libraries, the engine's helper too.
dpkg-deb -f "$deb" >"$out/control.txt"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in "libqt6webenginecore6 (" "libqt6widgets6 (" "libc6 (" "libqt6webenginecore6-bin ("; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks [$needed]: $depends"
done

lintian --fail-on error --display-level ">=warning" "$deb" >"$out/lintian.txt" 2>&1 ||
  fail "lintian found errors:$(sed 's/^/\n  /' "$out/lintian.txt")"

dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop" >"$out/desktop-file-validate.txt" 2>&1 ||
  fail "desktop entry:$(sed 's/^/\n  /' "$out/desktop-file-validate.txt")"
grep -qx "StartupWMClass=plenfoxclient" "$root/usr/share/applications/$id.desktop" ||
  fail "the desktop entry does not name the window's class"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" \
  >"$out/appstreamcli.txt" 2>&1 ||
  fail "AppStream metadata:$(sed 's/^/\n  /' "$out/appstreamcli.txt")"

# The program finds its private libraries through its run path's folder.
runpath=$(readelf -d "$root/usr/bin/plenfoxclient" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = '$ORIGIN/../lib/plenfoxclient' ] || fail "the program's run path is [$runpath]"
bash "$scripts/program-run.sh" "$root/usr/bin/plenfoxclient" "$out/program-run" \
  "$root/usr/lib/plenfoxclient"

# The service answers from its installed sample catalog.
"$root/usr/bin/plenfox-update-service" --port 0 >"$out/service.txt" 2>&1 &
service_pid=$!
for _ in $(seq 50); do
  port=$(head -n 1 "$out/service.txt" 2>/dev/null)
  [[ "$port" =~ ^[0-9]+$ ]] && break
  sleep 0.1
done
[[ "$port" =~ ^[0-9]+$ ]] || fail "the service did not start: $(cat "$out/service.txt")"
curl -sf "http://127.0.0.1:$port/zips/BagSorter-1.7.zip" -o "$out/BagSorter-1.7.zip" ||
  fail "the service does not serve its sample catalog's zips"
echo "package-check: $(basename "$deb"), $(stat -c %s "$deb") bytes, $(echo "$files" | wc -l) files: passed"
