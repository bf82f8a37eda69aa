#!/usr/bin/env bash
# Runs the program headless (Qt's offscreen platform) in a sandboxed home:
# its command line, where it loads its private libraries from, one running
# program per data folder (a second start hands over its command line and
# ends; a start after a kill -9 takes over), and an orderly end on SIGTERM.
#
#   bash scripts/program-run.sh <program> [<artefact-dir>] [<library-folder>]
#
# <library-folder> is where the log must say libcef.so, libviewlink.so and
# libjawt.so were loaded from (default: the program's own folder).
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "${2:-program-run}")
libraries=$(realpath "${3:-$(dirname "$program")}")

rm -rf "$out" && mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
# The browser engine refuses to run as root inside its own sandbox.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
sandbox=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  cp "$sandbox"/tmp/plenfoxclient*.log "$out/" 2>/dev/null || true
  rm -rf "$sandbox"
}
trap cleanup EXIT
fail() { echo "program-run: $*" >&2; exit 1; }

mkdir -p "$sandbox/home" "$sandbox/tmp" "$sandbox/ProgramData"
for name in first second; do
  mkdir -p "$sandbox/games/$name/interface/addons"
  touch "$sandbox/games/$name/wow.exe"
done
# Every start sees the same home and temporary folder, as one player's do.
# (env runs the program in its own process: $! is the program.)
sandboxed=(env HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData")
run() { "${sandboxed[@]}" "$program" "$@"; }
newest_log() { ls -t "$sandbox"/tmp/plenfoxclient*.log | head -n 1; }
logs() { find "$sandbox/tmp" -maxdepth 1 -name 'plenfoxclient*.log' | wc -l; }
wait_for_log() { # <log> <text> <seconds>
  for _ in $(seq $(($3 * 5))); do
    grep -qF "$2" "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}
# Starts the program in the background and waits until its client is up.
start() { # <name> <options...>
  local name=$1 before
  shift
  before=$(logs)
  "${sandboxed[@]}" "$program" "$@" >"$out/$name.txt" 2>&1 &
  pids+=($!)
  started_pid=$!
  for _ in $(seq 300); do
    [ "$(logs)" -gt "$before" ] && break
    kill -0 "$started_pid" 2>/dev/null || fail "$name ended at once: $(cat "$out/$name.txt")"
    sleep 0.2
  done
  started_log=$(newest_log)
  wait_for_log "$started_log" "Initialized client" 240 || fail "$name: the client did not start"
}

# The command line is answered without a display, a log or a data folder.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
version=$(HOME="$sandbox/home" TMPDIR="$sandbox/tmp" "${headless[@]}" "$program" --version)
[[ "$version" =~ ^Plenfox\ Client\ v[0-9] ]] || fail "--version printed [$version]"
HOME="$sandbox/home" TMPDIR="$sandbox/tmp" "${headless[@]}" "$program" --help >"$out/help.txt"
grep -q -- "--game-folder <path>" "$out/help.txt" || fail "--help does not name --game-folder"
status=0
HOME="$sandbox/home" TMPDIR="$sandbox/tmp" "${headless[@]}" "$program" --frobnicate \
  >"$out/unknown.txt" 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "exit status $status for an unknown option"
grep -q "Unknown option 'frobnicate'" "$out/unknown.txt" || fail "no message for an unknown option"
[ "$(logs)" -eq 0 ] && [ ! -e "$sandbox/home/.plenfoxclient" ] ||
  fail "the command line alone started something"

# The first start, on a game folder given on the command line.
start first --game-folder "$sandbox/games/first"
first_pid=$started_pid
first_log=$started_log
for library in libjawt.so libcef.so libviewlink.so; do
  grep -qF "loaded [$libraries/$library]" "$first_log" ||
    fail "$library was not loaded from $libraries"
done
grep -qF "Initializing with an explicit path: [$sandbox/games/first]" "$first_log" ||
  fail "the game folder of the command line was not used"

# A second start hands its command line over and ends at once.
began=$(date +%s%N)
status=0
run --game-folder "$sandbox/games/second" >"$out/second.txt" 2>&1 || status=$?
took=$((($(date +%s%N) - began) / 1000000))
echo "program-run: the second start ended after $took ms"
[ "$status" -eq 0 ] || fail "exit status $status of the second start: $(cat "$out/second.txt")"
[ "$took" -lt 15000 ] || fail "the second start took $took ms"
[ "$(logs)" -eq 1 ] || fail "the second start wrote a log of its own"
wait_for_log "$first_log" "showOnRequest: another start asked this window to show itself" 30 ||
  fail "the first start was not asked to show itself"
wait_for_log "$first_log" "useWowFolder: [$sandbox/games/second]" 30 ||
  fail "the first start did not take the second start's game folder"

# A crashed first start leaves its lock and socket; the next start runs.
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null || true
[ -e "$sandbox/home/.plenfoxclient/Instance.lock" ] || fail "no lock file left by the killed start"
start after-kill
after_pid=$started_pid
after_log=$started_log
status=0
run >"$out/second-after-kill.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status of a second start after the kill"
wait_for_log "$after_log" "showOnRequest: another start asked this window to show itself" 30 ||
  fail "the start after the kill was not asked to show itself"

kill -TERM "$after_pid"
status=0
wait "$after_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
grep -q "Successfully shut down client" "$after_log" || fail "no orderly shutdown in the log"
echo "program-run: command line, private libraries from $libraries, one instance, orderly end"
