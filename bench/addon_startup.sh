#!/usr/bin/env bash
# The whole process of a start-up with 1,000 addons, timed from outside:
# from starting AddonStartupBench until it has listed every addon and ended.
# Two games, started in turn: the old layout with one TOC per addon, and an
# installation root with flavour folders whose retail addons carry four
# TOCs each. Prints the median wall time and CPU time (user + system) of
# each; on a loaded machine the CPU time is the steadier figure.
#
#   bash bench/addon_startup.sh [build folder] [runs] [program]
#
# `program` defaults to the build's AddonStartupBench; another one (built
# from an older tree) times that tree's start-up of the same games.
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-15}
bench=${3:-$build/bench/AddonStartupBench}
layouts=${LAYOUTS:-old flavours}
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT

"$build/bench/AddonStartupBench" make "$sandbox/old" old
"$build/bench/AddonStartupBench" make "$sandbox/flavours" flavours

median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }
for run in $(seq "$runs"); do
  for layout in $layouts; do
    rm -rf "$sandbox/data" && mkdir -p "$sandbox/data"
    # Wall, user and system seconds, to the millisecond.
    TIMEFORMAT='%3R %3U %3S'
    { time "$bench" run "$sandbox/$layout" "$sandbox/data" >/dev/null; } 2>"$sandbox/time"
    read -r wall user system <"$sandbox/time"
    echo "$wall" | awk '{ printf "%d\n", $1 * 1000 }' >>"$sandbox/$layout.wall"
    echo "$user $system" | awk '{ printf "%d\n", ($1 + $2) * 1000 }' >>"$sandbox/$layout.cpu"
  done
done
for layout in $layouts; do
  echo "$layout: median wall $(median <"$sandbox/$layout.wall") ms, median CPU $(median <"$sandbox/$layout.cpu") ms over $runs runs"
done
