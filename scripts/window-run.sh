#!/usr/bin/env bash
# Runs the windowed program end to end on a virtual display, in a sandbox:
# a prepared game folder found through a launcher setup log, the reference
# update service on a free port (the program is pointed at it through
# PLENFOX_SERVICE_PORT, which it honours for its loopback service host only),
# the first-run question answered with Yes, one screenshot per tab, then
# SIGTERM. Checks exit status 0 and the orderly shutdown in the log. On the
# way: a zip clicked in the page is installed, a download a page starts from a
# timer waits for the player, a PDF and a 40 MB zip are refused saying why,
# "update all" fetches and installs two updated packages from the service, the
# window is narrowed to 760 pixels, and with the service switched off the
# advertisement strip shows its own panel rather than an error page.
#
#   xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/window-run.sh <build-dir> <artefact-dir>
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/window-run}")
root=$(cd "$(dirname "$0")/.." && pwd)

rm -rf "$out" && mkdir -p "$out"
# The program draws on the virtual display, whatever the test suite set.
unset QT_QPA_PLATFORM
# The browser engine refuses to run as root inside its own sandbox.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
sandbox=$(mktemp -d)
service_pid=
pages_pid=
client_pid=
cleanup() {
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null || true
  cp "$sandbox"/tmp/plenfoxclient*.log "$out/" 2>/dev/null || true
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null || true
  [ -n "$pages_pid" ] && kill "$pages_pid" 2>/dev/null || true
  rm -rf "$sandbox"
}
trap cleanup EXIT

fail() { echo "window-run: $*" >&2; exit 1; }
shot() { sleep "${2:-1}"; import -window root "$out/$1.png"; echo "screenshot $out/$1.png"; }
click() { xdotool mousemove "$1" "$2" click 1; }

# The latest log of the program's runs so far.
latest_log() { ls -t "$sandbox"/tmp/plenfoxclient*.log | head -n 1; }
# Waits up to 40 seconds for a line in the latest log.
await_log() {
  for _ in $(seq 200); do
    grep -q "$1" "$(latest_log)" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}
# Types an address into the Web tab's address field and goes there.
visit() {
  click 36 38
  sleep 1
  click 400 76
  xdotool key ctrl+a type "$1"
  xdotool key Return
}
# Gives the keyboard to the dialog of that title and presses Enter.
answer_dialog() {
  for window in $(xdotool search --name "$1" 2>/dev/null); do
    xdotool windowfocus "$window" 2>/dev/null && break
  done
  xdotool key Return
}

# The game: two packages the service has newer versions of, and addons named
# as players name them (mixed case, letters beyond ASCII), found from the
# launcher's setup log.
game="$sandbox/World of Warcraft"
mkdir -p "$game/interface/addons"
touch "$game/wow.exe" "$game/Wow.exe"
for addon in BagSorter:1.6:50400 Recount:5.1:40300 CombatTimers:r500:50400 oRA3:3.1:50400 \
  pfQuest:7.0:50400 Skada:1.4:50400 Ümlaut:2.0:50400 Omen:3.2:50400 Uber:1.0:50400; do
  IFS=: read -r name version iface <<<"$addon"
  mkdir -p "$game/interface/addons/$name"
  printf '## Interface: %s\n## Title: %s\n## Version: %s\n## Author: Tester\n## Notes: %s for the window run\n' \
    "$iface" "$name" "$version" "$name" >"$game/interface/addons/$name/$name.toc"
done
mkdir -p "$sandbox/ProgramData/battle.net/Setup/wow_enus/log"
printf "Blizzard Setup (2.0) started at '%s/Wow.exe'\n" "$game" \
  >"$sandbox/ProgramData/battle.net/Setup/wow_enus/log/setup-1.log"
mkdir -p "$sandbox/home" "$sandbox/tmp"

# The service picks a free port and prints it on its first line.
"$build/service/plenfox-update-service" --port 0 --catalog "$root/service/sample-catalog.xml" \
  >"$out/service-port.txt" 2>"$out/service.txt" &
service_pid=$!
port=
for _ in $(seq 100); do
  port=$(head -n 1 "$out/service-port.txt" 2>/dev/null || true)
  [ -n "$port" ] && break
  kill -0 "$service_pid" 2>/dev/null || fail "the update service did not start: $(cat "$out/service.txt")"
  sleep 0.1
done
[[ "$port" =~ ^[0-9]+$ ]] || fail "the update service printed no port"
export PLENFOX_SERVICE_PORT=$port

# Another site, as real sites behave: a page that starts a download from a
# timer (no click), the zip it starts, and a zip of 40 MB.
mkdir -p "$sandbox/pages"
python3 - "$sandbox/pages" <<'PY'
import sys, zipfile
folder = sys.argv[1]
with zipfile.ZipFile(f"{folder}/TimerAddon.zip", "w") as package:
    package.writestr("TimerAddon/TimerAddon.toc",
                     "## Interface: 50400\n## Title: TimerAddon\n## Version: 1.0\nTimerAddon.lua\n")
    package.writestr("TimerAddon/TimerAddon.lua", "-- code\n")
with open(f"{folder}/big.zip", "wb") as big:
    big.seek(40 * 1024 * 1024 - 1)
    big.write(b"\0")
open(f"{folder}/timer.html", "w").write(
    "<!DOCTYPE html><html><body><h1>Your download starts by itself in a moment</h1>"
    "<script>setTimeout(function () { location.href = '/TimerAddon.zip'; }, 8000);</script>"
    "</body></html>")
PY
python3 -u - "$sandbox/pages" >"$out/pages-port.txt" 2>"$out/pages.txt" <<'PY' &
import functools, http.server, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
print(server.server_address[1])
server.serve_forever()
PY
pages_pid=$!
pages=
for _ in $(seq 100); do
  pages=$(head -n 1 "$out/pages-port.txt" 2>/dev/null || true)
  [ -n "$pages" ] && break
  sleep 0.1
done
[[ "$pages" =~ ^[0-9]+$ ]] || fail "the page server printed no port"

# Two earlier downloads: a package from the service and a file without addons.
mkdir -p "$sandbox/home/.plenfoxclient/downloads"
python3 - "$port" "$sandbox/home/.plenfoxclient/downloads" <<'PY'
import sys, urllib.request
port, folder = sys.argv[1], sys.argv[2]
with urllib.request.urlopen(f"http://127.0.0.1:{port}/zips/CombatTimers-r512.zip") as answer:
    open(f"{folder}/CombatTimers-r512.zip", "wb").write(answer.read())
open(f"{folder}/notes.zip", "wb").write(b"not a zip" * 100)
PY

# The desktop opener only records what it is given.
mkdir -p "$sandbox/bin"
printf '#!/bin/sh\necho "$*" >>"%s/opened.txt"\n' "$out" >"$sandbox/bin/xdg-open"
chmod +x "$sandbox/bin/xdg-open"

PATH="$sandbox/bin:$PATH" HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData" \
  "$build/plenfoxclient" >"$out/client.txt" 2>&1 &
client_pid=$!

# The first-run question: Yes is its default button.
for _ in $(seq 50); do
  xdotool search --name "Enable updates from" >/dev/null 2>&1 && break
  sleep 0.2
done
shot 0-first-run-question 0.5
# No window manager: give the question the keyboard, then press Enter.
for window in $(xdotool search --name "Enable updates from" 2>/dev/null); do
  xdotool windowfocus "$window" 2>/dev/null && break
done
xdotool key Return
shot 1-web 4

if [ -e "$build/libcef.so" ]; then
  # The download road through the embedded browser. The page has the focus
  # after a click on its empty part; Tab walks its links in page order: the
  # three packages, the PDF guide, the popup link.
  click 500 600
  xdotool key Tab Return
  for _ in $(seq 100); do
    [ -e "$game/interface/addons/QuestHelperLite/QuestHelperLite.toc" ] && break
    sleep 0.2
  done
  [ -e "$game/interface/addons/QuestHelperLite/QuestHelperLite.toc" ] ||
    fail "the package clicked in the Web tab was not installed"
  shot 4-downloads-after-click 2
  click 120 38
  shot 5-wow-after-install 1

  # A PDF is refused with its type and size.
  click 36 38
  sleep 1
  click 400 76
  xdotool key ctrl+a type "http://127.0.0.1:$port/guide.pdf"
  xdotool key Return
  timeout 30 xdotool search --sync --onlyvisible --name "Can't download that file." >/dev/null ||
    fail "no dialog for the PDF"
  shot 6-pdf-refused 1
  for window in $(xdotool search --name "Can't download that file." 2>/dev/null); do
    xdotool windowfocus "$window" 2>/dev/null && break
  done
  xdotool key Return

  # The popup link leaves the page alone and goes to the desktop opener.
  sleep 1
  click 500 600
  xdotool key Tab Tab Tab Tab Tab Return
  for _ in $(seq 50); do
    grep -q "/popup.html" "$out/opened.txt" 2>/dev/null && break
    sleep 0.2
  done
  grep -q "/popup.html" "$out/opened.txt" 2>/dev/null || fail "the popup did not reach the desktop opener"
  shot 7-web-after-popup 1

  # A page that starts a download from a timer, long after the player's last
  # key press: the package waits in the Downloads tab, ready to install.
  visit "http://127.0.0.1:$pages/timer.html"
  shot 8-timer-page 2
  await_log "TimerAddon.zip\] waits for the player" || fail "the timer's download did not wait for the player"
  [ ! -e "$game/interface/addons/TimerAddon" ] || fail "the timer's download was installed"
  click 215 38
  shot 9-timer-download-waits 2

  # A zip of 40 MB is refused, and the dialog names its size.
  visit "http://127.0.0.1:$pages/big.zip"
  timeout 30 xdotool search --sync --onlyvisible --name "Can't download that file." >/dev/null ||
    fail "no dialog for the 40 MB zip"
  shot 10-big-zip-refused 1
  answer_dialog "Can't download that file."
  grep -q "unable to recognize \[application/zip\] \[big.zip\]: it is larger than 32 MB (the site announced 40.0 MB, 41943040 bytes)." "$(latest_log)" ||
    fail "the 40 MB zip was not refused with its size"
fi

# "update all" (Alt+A) fetches the two updated packages from the service and
# installs them; the WoW tab then shows them up to date.
click 120 38
shot 11-wow-before-update-all 2
xdotool windowfocus "$(xdotool search --onlyvisible --name "^Plenfox Client v" | head -n 1)"
xdotool key alt+a
for _ in $(seq 200); do
  grep -q "Version: 1.7" "$game/interface/addons/BagSorter/BagSorter.toc" &&
    grep -q "Version: r512" "$game/interface/addons/CombatTimers/CombatTimers.toc" && break
  sleep 0.2
done
grep -q "Version: 1.7" "$game/interface/addons/BagSorter/BagSorter.toc" || fail "BagSorter was not updated"
grep -q "Version: r512" "$game/interface/addons/CombatTimers/CombatTimers.toc" || fail "CombatTimers was not updated"
shot 12-downloads-after-update-all 2
click 120 38
# Only Recount, written for an older game, is still flagged.
await_log "refreshUpdates: sorted addons .* 1 update list 0 updates" ||
  fail "the WoW tab did not show the updated addons up to date"
shot 13-wow-after-update-all 2
grep -q "PackageFetcher.fetch: offered \[application/zip\] \[BagSorter-1.7.zip\]" "$(latest_log)" ||
  fail "the update did not come from the service's address"

# A window 760 pixels wide still reaches every column (it scrolls).
window=$(xdotool search --onlyvisible --name "^Plenfox Client v" | head -n 1)
xdotool windowsize "$window" 760 768
shot 14-narrow-760 2
xdotool getwindowgeometry "$window" >"$out/geometry-narrow.txt"
grep -q "Geometry: 760x" "$out/geometry-narrow.txt" || fail "the window does not get 760 pixels narrow"
xdotool windowsize "$window" 1024 768

click 120 38
shot 2-wow 2
click 215 38
shot 3-downloads 1

# The desktop knows the window by its class and shows its icon.
window=$(xdotool search --onlyvisible --name "^Plenfox Client v" | head -n 1)
[ -n "$window" ] || fail "no main window"
wm_class=$(xprop -id "$window" WM_CLASS)
startup_class=$(sed -n 's/^StartupWMClass=//p' "$build"/packaging/*.desktop)
[[ "$wm_class" == *", \"$startup_class\"" ]] ||
  fail "WM_CLASS [$wm_class] is not the desktop entry's StartupWMClass [$startup_class]"
# xprop draws each size of the icon; the window carries the program's (Qt
# leaves out the 256-pixel one, too large for one X request).
xprop -id "$window" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" >"$out/net-wm-icon.txt" || true
for size in 48 64 128; do
  grep -qx "Icon ($size x $size)" "$out/net-wm-icon.txt" ||
    fail "the window carries no $size-pixel icon: $(tr '\n' ' ' <"$out/net-wm-icon.txt")"
done
# Closed elsewhere and at another size, it comes back there (below).
xdotool windowmove "$window" 130 90 windowsize "$window" 1000 800
sleep 1
shot 15-moved 0

kill -TERM "$client_pid"
status=0
wait "$client_pid" || status=$?
client_pid=
cp "$sandbox"/tmp/plenfoxclient*.log "$out/" 2>/dev/null || true
[ "$status" -eq 0 ] || fail "exit status $status"
grep -q "Successfully shut down client" "$out"/plenfoxclient*.log || fail "no orderly shutdown in the log"
grep -q "Installed addon \[BagSorter\] version \[1.6\]" "$out"/plenfoxclient*.log || fail "addons not listed in the log"
grep -q "Update service \[127.0.0.1:$port\]" "$out"/plenfoxclient*.log ||
  fail "the program did not take the test service's port"
if [ -e "$build/libcef.so" ]; then
  grep -q "getDownloadHandler(application/zip,QuestHelperLite-2.4.1.zip" "$out"/plenfoxclient*.log ||
    fail "the zip did not come through the browser"
  grep -q "unable to recognize \[application/pdf\] \[guide.pdf\]" "$out"/plenfoxclient*.log ||
    fail "the PDF was not refused"
fi

# Started again, the window is where it was closed, on the tab it showed.
PATH="$sandbox/bin:$PATH" HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData" \
  "$build/plenfoxclient" >"$out/client-again.txt" 2>&1 &
client_pid=$!
timeout 60 xdotool search --sync --onlyvisible --name "^Plenfox Client v" >/dev/null ||
  fail "no window when started again"
window=$(xdotool search --onlyvisible --name "^Plenfox Client v" | head -n 1)
sleep 2
xdotool getwindowgeometry "$window" >"$out/geometry-again.txt"
grep -q "Position: 130,90 " "$out/geometry-again.txt" && grep -q "Geometry: 1000x800" "$out/geometry-again.txt" ||
  fail "the window came back elsewhere: $(tr '\n' ' ' <"$out/geometry-again.txt")"
grep -q "restoreWindowState: \[130,90 1000x800\] tab \[2\]" "$sandbox"/tmp/plenfoxclient*.log ||
  fail "the window did not come back on the Downloads tab"
shot 16-restored 1
# The browser of the Web tab, made while another tab showed, works.
xdotool mousemove 166 128 click 1
shot 17-restored-web 3
kill -TERM "$client_pid"
status=0
wait "$client_pid" || status=$?
client_pid=
[ "$status" -eq 0 ] || fail "exit status $status of the second run"

# The service switched off: the strip shows its own plain panel, never the
# browser's error page, and the next start tries again.
kill "$service_pid"
wait "$service_pid" 2>/dev/null || true
service_pid=
PATH="$sandbox/bin:$PATH" HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData" \
  "$build/plenfoxclient" >"$out/client-service-off.txt" 2>&1 &
client_pid=$!
timeout 60 xdotool search --sync --onlyvisible --name "^Plenfox Client v" >/dev/null ||
  fail "no window with the service switched off"
if [ -e "$build/libcef.so" ]; then
  await_log "AdControlAdapter.failed: the strip's page did not load" ||
    fail "the strip did not notice that its page failed"
fi
shot 18-service-off 2
kill -TERM "$client_pid"
status=0
wait "$client_pid" || status=$?
client_pid=
[ "$status" -eq 0 ] || fail "exit status $status with the service switched off"

# Ctrl+C while the first-run question waits for an answer: the same orderly end.
cp "$sandbox"/tmp/plenfoxclient*.log "$out/" 2>/dev/null || true
rm -rf "$sandbox/home" "$sandbox/tmp" && mkdir -p "$sandbox/home" "$sandbox/tmp"
HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData" \
  "$build/plenfoxclient" >"$out/client-interrupted.txt" 2>&1 &
client_pid=$!
timeout 60 xdotool search --sync --onlyvisible --name "Enable updates from" >/dev/null ||
  fail "no first-run question"
kill -INT "$client_pid"
status=0
wait "$client_pid" || status=$?
client_pid=
[ "$status" -eq 0 ] || fail "exit status $status after SIGINT during the question"
grep -q "Successfully shut down client" "$sandbox"/tmp/plenfoxclient*.log ||
  fail "no orderly shutdown after SIGINT"

# Without a display: a plain message and status 1, no crash.
for display in "" ":97"; do
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" HOME="$sandbox/home" \
    TMPDIR="$sandbox/tmp" "$build/plenfoxclient" >"$out/no-display.txt" 2>&1 || status=$?
  [ "$status" -eq 1 ] || fail "exit status $status without display [$display]"
  grep -q "needs a graphical desktop" "$out/no-display.txt" || fail "no message without display"
done
echo "window-run: exit status 0, orderly shutdown, artefacts in $out"
