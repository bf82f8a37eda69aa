#!/usr/bin/env bash
# Runs the program on a game laid out as players have it today, in a
# sandbox: "World of Warcraft" with ".build.info", "_retail_" (Details with
# only "Details_Mainline.toc", WeakAuras) and "_classic_era_" (Questie with
# only "Questie-Classic.toc"), found through a launcher setup log that names
# the retail client. The first run lists the retail addons; the second,
# with the era flavour chosen (as the WoW menu stores it in "Flavour.dat"),
# lists Questie. Each run ends with SIGTERM once the addons are in the log.
#
#   bash scripts/flavour-run.sh <build-dir> [artefact-dir]
#
# QT_QPA_PLATFORM=offscreen runs it without a display; under xvfb-run the
# window is drawn and SHOTS=1 takes a screenshot of the WoW tab per run.
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/flavour-run}")
rm -rf "$out" && mkdir -p "$out"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:new_delete_type_mismatch=0}
sandbox=$(mktemp -d)
client_pid=
cleanup() {
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null || true
  rm -rf "$sandbox"
}
trap cleanup EXIT
fail() { echo "flavour-run: $*" >&2; exit 1; }

game="$sandbox/World of Warcraft"
row() { echo "us|1|0123456789abcdef|fedcba9876543210|00112233445566778899||tpr/wow|us.cdn.example.com|http://us.cdn.example.com/|Windows x86_64 US? enUS speech?:Windows x86_64 US? enUS text?||$1|$2|$3|1"; }
mkdir -p "$game"
{
  echo "Branch!STRING:0|Active!DEC:1|Build Key!HEX:16|CDN Key!HEX:16|Install Key!HEX:16|IM Size!DEC:4|CDN Path!STRING:0|CDN Hosts!STRING:0|CDN Servers!STRING:0|Tags!STRING:0|Armadillo!STRING:0|Last Activated!STRING:0|Version!STRING:0|Product!STRING:0|Build Complete!DEC:1"
  row 1 12.1.0.69382 wow
  row 0 1.15.8.63829 wow_classic_era
} >"$game/.build.info"
mkdir -p "$game/_retail_/Interface/AddOns/Details" "$game/_retail_/Interface/AddOns/WeakAuras" \
  "$game/_classic_era_/Interface/AddOns/Questie"
touch "$game/_retail_/Wow.exe" "$game/_classic_era_/WowClassic.exe"
printf '## Interface: 120001, 110207\n## Title: |cffffd200Details!|r Damage Meter\n## Notes: |cFFFFFFFFEssential|r damage meter\n## Author: Terciob\n## Version: #Details.20260105\nDetails.lua\n' \
  >"$game/_retail_/Interface/AddOns/Details/Details_Mainline.toc"
printf '## Interface: 120001\n## Title: WeakAuras\n## Author: The WeakAuras Team\n## Version: 5.20.1\nWeakAuras.lua\n' \
  >"$game/_retail_/Interface/AddOns/WeakAuras/WeakAuras.toc"
printf '## Interface: 11508\n## Title: |cFFFFFFFFQuestie|r\n## Author: Aero\n## Version: 11.2.1\nQuestie.lua\n' \
  >"$game/_classic_era_/Interface/AddOns/Questie/Questie-Classic.toc"
mkdir -p "$sandbox/ProgramData/battle.net/Setup/wow_enus/log"
printf "Blizzard Setup (2.0) started at '%s/_retail_/Wow.exe'\n" "$game" \
  >"$sandbox/ProgramData/battle.net/Setup/wow_enus/log/setup-1.log"
mkdir -p "$sandbox/home/.plenfoxclient" "$sandbox/tmp"
# Updates declined once: no first-run question.
printf 'PFOS\001\001\000' >"$sandbox/home/.plenfoxclient/UpdateSettings.dat"

# One run: waits until the log lists `expected` addons, then ends the program.
run() {
  local name=$1
  shift
  rm -f "$sandbox"/tmp/plenfoxclient*.log
  HOME="$sandbox/home" TMPDIR="$sandbox/tmp" ProgramData="$sandbox/ProgramData" \
    "$build/plenfoxclient" >"$out/$name.txt" 2>&1 &
  client_pid=$!
  for _ in $(seq 300); do
    grep -q "refreshUpdates: sorted addons" "$sandbox"/tmp/plenfoxclient*.log 2>/dev/null && break
    sleep 0.2
  done
  if [ "${SHOTS:-0}" = 1 ]; then
    # The WoW tab, then the WoW menu open over it.
    sleep 2
    xdotool mousemove 120 38 click 1
    sleep 1
    import -window root "$out/$name-wow-tab.png"
    xdotool mousemove "${MENU_X:-95}" 10 click 1
    sleep 1
    import -window root "$out/$name-wow-menu.png"
    xdotool key Escape
    sleep 0.5
  fi
  kill -TERM "$client_pid"
  wait "$client_pid" || fail "$name: exit status $?"
  client_pid=
  cp "$sandbox"/tmp/plenfoxclient*.log "$out/$name.log"
  grep -q "Successfully shut down client" "$out/$name.log" || fail "$name: no orderly shutdown"
  for addon in "$@"; do
    grep -q "Installed addon \[$addon\]" "$out/$name.log" || fail "$name: $addon not listed"
  done
  echo "$name: $(grep -o 'Installed addon \[[^]]*\] version \[[^]]*\]' "$out/$name.log" | tr '\n' ' ')"
}

run retail Details WeakAuras
grep -q "Installed addon \[Questie\]" "$out/retail.log" && fail "retail: Questie listed"
# The era flavour chosen: "Flavour.dat" holds its folder's name.
python3 - "$sandbox/home/.plenfoxclient/Flavour.dat" <<'PY'
import struct, sys
text = "_classic_era_".encode("utf-16-be")
open(sys.argv[1], "wb").write(b"PFOS\x01\x05" + struct.pack(">I", len(text)) + text)
PY
run era Questie
grep -q "Installed addon \[Details\]" "$out/era.log" && fail "era: Details listed"
echo "flavour-run: retail and era listed as expected, logs in $out"
