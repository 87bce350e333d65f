#!/bin/sh
# Runs zelvira-bench of two builds side by side and prints per-stage medians and their ratio.
#
#   tools/bench-compare.sh [--blocks K] [--frames N] [--bench-args "ARGS"] [--keep DIR] BASE NEW
#
# BASE and NEW are repository roots (a worktree or a checkout). Each is benched with its own
# ROOT/build-bench/bench/zelvira-bench, run from ROOT so that it reads its own assets; a root
# without that binary gets a Release build there first. The two run in K alternating blocks
# (default 6; the order flips every block, A B B A ..., so that a change of load on a shared
# machine falls on both alike), each block one zelvira-bench run of N frames (default 30) per
# build. Every figure printed is the median over the blocks of that block's median. ARGS go to
# both benches (e.g. "--width 1280 --height 720"); --keep keeps the JSON of every run in DIR.
# Needs DISPLAY.
set -eu
blocks=6 frames=30 benchArgs= keep=
while [ $# -gt 2 ]; do
    case $1 in
    --blocks) blocks=$2 ;;
    --frames) frames=$2 ;;
    --bench-args) benchArgs=$2 ;;
    --keep) keep=$2 ;;
    *) echo "unknown option $1"; exit 2 ;;
    esac
    shift 2
done
if [ $# -ne 2 ]; then
    sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi

benchOf() { # root -> path of its zelvira-bench, built when missing
    root=$(cd "$1" && pwd)
    bench=$root/build-bench/bench/zelvira-bench
    if [ ! -x "$bench" ]; then
        echo "building $bench" >&2
        cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DZELVIRA_TESTS=OFF >&2
        cmake --build "$root/build-bench" -j2 --target zelvira-bench >&2
    fi
    echo "$bench"
}

baseRoot=$(cd "$1" && pwd) newRoot=$(cd "$2" && pwd)
baseBench=$(benchOf "$baseRoot") newBench=$(benchOf "$newRoot")
results=${keep:-$(mktemp -d)}
mkdir -p "$results"
[ -z "$keep" ] && trap 'rm -rf "$results"' EXIT

runBench() { # name root bench block
    # shellcheck disable=SC2086 # the extra arguments are split on purpose
    (cd "$2" && "$3" --frames "$frames" --output "$results/$1-$4.json" $benchArgs >"$results/$1-$4.log" 2>&1) ||
        { echo "$1 bench failed in block $4:"; tail -5 "$results/$1-$4.log"; exit 1; }
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
block=1
while [ "$block" -le "$blocks" ]; do
    if [ $((block % 2)) -eq 1 ]; then
        runBench base "$baseRoot" "$baseBench" "$block"
        runBench new "$newRoot" "$newBench" "$block"
    else
        runBench new "$newRoot" "$newBench" "$block"
        runBench base "$baseRoot" "$baseBench" "$block"
    fi
    echo "block $block of $blocks done ($(date +%H:%M:%S), load $(cut -d' ' -f1 /proc/loadavg))"
    block=$((block + 1))
done

python3 - "$results" "$blocks" "$baseRoot" "$newRoot" <<'PYTHON'
import json
import statistics
import sys

results, blocks, base_root, new_root = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
runs = {name: [json.load(open(f"{results}/{name}-{block}.json")) for block in range(1, blocks + 1)]
        for name in ("base", "new")}


def median(name, pick):
    values = [pick(run) for run in runs[name]]
    values = [value for value in values if value is not None]
    return statistics.median(values) if values else None


def stage(name_of_stage, key="median_ms"):
    return lambda run: next((s[key] for s in run["stages"] if s["stage"] == name_of_stage), None)


def startup_total(run):
    return sum(phase["ms"] for phase in run["startup"])


first_keys = {key: value for key, value in runs["new"][0].items() if key.endswith("_ms")
              and isinstance(value, (int, float))}
rows = [(s["stage"], stage(s["stage"])) for s in runs["base"][0]["stages"]]
rows += [
    ("staged frame (sum of stages)", lambda run: run["staged_frame"]["median_ms"]),
    ("WHOLE FRAME median (no glFinish)", lambda run: run["whole_frame"]["median_ms"]),
    ("whole frame p95", lambda run: run["whole_frame"]["p95_ms"]),
    ("whole frame CPU mean", lambda run: run["whole_frame"]["cpu_mean_ms"]),
    ("start-up, first frame included", startup_total),
    ("first frame, staged", lambda run: sum(phase["ms"] for phase in run["first_frame"])),
    ("peak resident memory (MiB)", lambda run: run["peak_resident_kib"] / 1024.0),
]
# Single figures a newer bench may add at the top level (in ms), such as the time to the first
# presented frame.
rows += [(key, lambda run, key=key: run.get(key)) for key, value in first_keys.items()]
first = runs["base"][0]
print(f"\n{first['renderer']}, {first['width']} x {first['height']}, {blocks} blocks of "
      f"{runs['base'][0]['whole_frame']['samples']} frames per build, medians over the blocks")
print(f"base: {base_root}\nnew:  {new_root}\n")
print(f"{'stage':44} {'base ms':>10} {'new ms':>10} {'new/base':>9}")
for label, pick in rows:
    base, new = median("base", pick), median("new", pick)
    if new is None:
        continue
    if base is None:  # a figure only the newer bench reports
        print(f"{label:44} {'-':>10} {new:10.2f}")
        continue
    ratio = f"{new / base:8.2f}x" if base > 0 else "        -"
    print(f"{label:44} {base:10.2f} {new:10.2f} {ratio}")
PYTHON
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
