#!/usr/bin/env bash
# Times the client's scan + extraction of a large addon package against
# "unzip -q -o" of the same archive, in one run on the same machine.
#
#   bench/zip_vs_unzip.sh [build folder] [repetitions]
#
# The build folder (default build-bench) must be configured with
# -DPLENFOX_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release and have ZipPackageBench
# built. The package: 3,000 files in 60 addon folders, half text (compresses
# well), half random bytes (does not), about 30 MB zipped.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-bench}
reps=${2:-5}
bench="$build/bench/ZipPackageBench"
[ -x "$bench" ] || { echo "missing $bench: build the benchmarks first" >&2; exit 1; }
command -v unzip >/dev/null || { echo "unzip is missing (scripts/install-deps.sh)" >&2; exit 1; }
command -v zip >/dev/null || { echo "zip is missing (scripts/install-deps.sh)" >&2; exit 1; }

# BENCH_DIR chooses the file system measured (for example /dev/shm to leave
# the disk out); the default is the temporary-files folder.
work=$(mktemp -d "${BENCH_DIR:-${TMPDIR:-/tmp}}/zip-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 - "$work/src" <<'EOF'
import os, random, sys
root = sys.argv[1]
rng = random.Random(2013)
words = [b"local", b"function", b"end", b"if", b"then", b"return", b"frame", b"self",
         b"addon", b"nil", b"true", b"false", b"SetPoint", b"CreateFrame", b"--"]
for folder in range(60):
    name = "Addon%02d" % folder
    os.makedirs(os.path.join(root, name, "Libs"), exist_ok=True)
    with open(os.path.join(root, name, name + ".toc"), "wb") as toc:
        toc.write(b"## Interface: 50400\n## Title: %s\n## Version: 1.%d\n" % (name.encode(), folder))
    for i in range(49):
        sub = "Libs" if i % 3 == 0 else ""
        if i % 2 == 0:
            size = rng.randint(2000, 32000)
            data = rng.randbytes(size)
            ext = ".blp"
        else:
            size = rng.randint(2000, 30000)
            out = bytearray()
            while len(out) < size:
                out += rng.choice(words) + (b"\n" if rng.random() < 0.15 else b" ")
            data = bytes(out[:size])
            ext = ".lua"
        with open(os.path.join(root, name, sub, "file%02d%s" % (i, ext)), "wb") as f:
            f.write(data)
EOF
(cd "$work/src" && zip -q -r "$work/package.zip" .)
files=$(unzip -Z1 "$work/package.zip" | grep -vc '/$')
size=$(stat -c %s "$work/package.zip")
echo "package: $files files, $((size / 1000000)) MB zipped"

# Warm the page cache; then interleave the contenders so that both meet the
# same background load, each starting with no dirty pages of the other.
# Each run's wall time and CPU time (user + system) are recorded; on a shared
# machine the CPU time is the steadier measure.
cat "$work/package.zip" >/dev/null
run() { # label, command...
    local label=$1
    shift
    sync
    local TIMEFORMAT="%R %U %S"
    { time "$@" >/dev/null; } 2>"$work/time"
    read -r wall user system <"$work/time"
    echo "$label $wall $(awk -v u="$user" -v s="$system" 'BEGIN {print u + s}')" >>"$work/times"
}
# Every run writes a fresh folder and nothing is deleted before the end:
# deleting a tree leaves the file system work that would slow the next run.
for i in $(seq "$reps"); do
    run ours "$bench" extract "$work/package.zip" "$work/ours-$i"
    run unzip unzip -q -o "$work/package.zip" -d "$work/unzip-$i"
done
diff -r "$work/unzip-1" "$work/ours-1" >/dev/null || { echo "extracted trees differ" >&2; exit 1; }

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
column() { awk -v l="$1" -v c="$2" '$1 == l {print $c}' "$work/times"; }
for label in ours unzip; do
    printf "%-5s wall s: %s\n" "$label" "$(column $label 2 | tr '\n' ' ')"
    printf "%-5s cpu  s: %s\n" "$label" "$(column $label 3 | tr '\n' ' ')"
done
ow=$(column ours 2 | median); uw=$(column unzip 2 | median)
oc=$(column ours 3 | median); uc=$(column unzip 3 | median)
# Each run of ours against the unzip run right after it: the load of the
# machine changes over a minute, but little between two neighbouring runs.
pairs=$(paste <(column ours 2) <(column unzip 2) | awk '{printf "%.3f\n", $1 / $2}')
pw=$(median <<<"$pairs")
echo "pair ratios: $(tr '\n' ' ' <<<"$pairs")"
awk -v ow="$ow" -v uw="$uw" -v oc="$oc" -v uc="$uc" -v pw="$pw" 'BEGIN {
    printf "median wall: ours %.3f s, unzip %.3f s, ratio %.2f (goal <= 1.0)\n", ow, uw, ow / uw
    printf "median pair ratio (wall): %.2f (goal <= 1.0)\n", pw
    printf "median cpu:  ours %.3f s, unzip %.3f s, ratio %.2f\n", oc, uc, oc / uc }'

PLENFOX_BENCH_ZIP="$work/package.zip" "$bench" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true
