#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The options editor's figures:
#   1. load and save of a 2,000-line "options.xml" (bench_options, offscreen);
#   2. start-up with both options pages filled from the demo installation, beside the bare window of
#      bench/startup measured the same way under Xvfb (target: at most 1.3 times its time).
# Usage: bench/options/run.sh [runs of the load and save, default 200] [start-up runs, default 15]
# BENCH_DISPLAY picks the X display number (default: a random one from 90 to 189).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-200}
startups=${2:-15}
./scripts/deps xvfb xauth >/dev/null

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
ninja -C "$build" -j2 bench_options bench_options_window bench_bare_window >/dev/null

QT_QPA_PLATFORM=offscreen "$build/bench/bench_options" "$runs" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/game" "$work/runtime"
chmod 700 "$work/runtime"
cp tests/fixtures/game/options.xml "$work/game/"

display=:${BENCH_DISPLAY:-$((90 + RANDOM % 100))}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

# One run: prints the microseconds from start to the window painted.
measure() {
    local start shown
    start=$(date +%s%N)
    shown=$(DISPLAY=$display MORVANE_BENCH_SHOWN=1 MORVANE_BENCH_GAME="$work/game" XDG_RUNTIME_DIR="$work/runtime" \
        "$@" 2>/dev/null | sed -n 's/^shown //p')
    [ -n "$shown" ] || { echo "no window shown by $*" >&2; exit 1; }
    echo "$(( (shown - start) / 1000 ))"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

: >"$work/bare"; : >"$work/pages"
measure "$build/bench/startup/bench_bare_window" >/dev/null   # warm the caches once
measure "$build/bench/bench_options_window" >/dev/null
for _ in $(seq 1 "$startups"); do
    measure "$build/bench/startup/bench_bare_window" >>"$work/bare"
    measure "$build/bench/bench_options_window" >>"$work/pages"
done
bare=$(median <"$work/bare"); pages=$(median <"$work/pages")
awk -v b="$bare" -v p="$pages" -v n="$startups" 'BEGIN {
    printf "start-up, window painted: bare %.1f ms, with both options pages filled %.1f ms\n", b / 1000, p / 1000
    printf "ratio %.2f (target at most 1.30; medians of %d runs)\n", p / b, n
}'
