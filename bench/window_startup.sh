#!/usr/bin/env bash
# Time from starting the program to its main window shown, and to the addons
# table filled, with 1,000 addons installed. Runs on a virtual display:
#
#   xvfb-run -a bash bench/window_startup.sh [build folder] [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-3}
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
# The browser engine refuses to run as root inside its own sandbox.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

game="$sandbox/game"
mkdir -p "$game/interface/addons" "$sandbox/ProgramData/battle.net/Setup/wow_enus/log"
touch "$game/Wow.exe" "$game/wow.exe"
for i in $(seq -w 0 999); do
  mkdir -p "$game/interface/addons/Addon$i"
  printf '## Interface: 50400\n## Title: Addon %s\n## Version: 1.%s\n## Author: Bench\n## Notes: addon number %s\n' \
    "$i" "$i" "$i" >"$game/interface/addons/Addon$i/Addon$i.toc"
done
printf "Blizzard Setup (2.0) started at '%s/Wow.exe'\n" "$game" \
  >"$sandbox/ProgramData/battle.net/Setup/wow_enus/log/setup-1.log"

now_ms() { date +%s%3N; }
for run in $(seq "$runs"); do
  rm -rf "$sandbox/home" "$sandbox/tmp" && mkdir -p "$sandbox/home" "$sandbox/tmp"
  start=$(now_ms)
  HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData" \
    "$build/plenfoxclient" >/dev/null 2>&1 &
  pid=$!
  xdotool search --sync --onlyvisible --name "^Plenfox Client v0.2 beta$" >/dev/null
  shown=$(now_ms)
  until grep -q "sorted addons 1000 addons" "$sandbox"/tmp/plenfoxclient*.log 2>/dev/null; do
    sleep 0.01
  done
  filled=$(now_ms)
  kill -TERM "$pid"
  wait "$pid"
  echo "run $run: window shown after $((shown - start)) ms, 1000 addons listed after $((filled - start)) ms"
done
