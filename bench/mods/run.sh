#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The "MOD" tab on a game folder with 1,000 mods (half with descriptions) and 200 active entries, under
# Xvfb: the time of LoadModLists, of the tab's first show, and the start-up of a six-tab window whose
# "MOD" tab is filled beside the bare six-tab window of bench/startup (time until painted, peak memory).
# Usage: bench/mods/run.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-15}
./scripts/deps xvfb xauth time >/dev/null

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
ninja -C "$build" -j2 bench_mods bench_bare_window >/dev/null

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/game" "$work/runtime"
chmod 700 "$work/runtime"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display XDG_RUNTIME_DIR="$work/runtime"

"$build/bench/bench_mods" make "$work/game"
"$build/bench/bench_mods" load "$work/game" 41
"$build/bench/bench_mods" show "$work/game" 21 2>/dev/null

# One run: prints "microseconds kilobytes".
measure() {
    local start shown
    start=$(date +%s%N)
    shown=$(MORVANE_BENCH_SHOWN=1 /usr/bin/time -f '%M' -o "$work/mem" "$@" 2>/dev/null | sed -n 's/^shown //p')
    [ -n "$shown" ] || { echo "no window shown by $*" >&2; exit 1; }
    echo "$(( (shown - start) / 1000 ))" "$(cat "$work/mem")"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

: >"$work/bare"; : >"$work/mods"
measure "$build/bench/startup/bench_bare_window" >/dev/null   # warm the caches once
measure "$build/bench/bench_mods" window "$work/game" >/dev/null
for _ in $(seq 1 "$runs"); do
    measure "$build/bench/startup/bench_bare_window" >>"$work/bare"
    measure "$build/bench/bench_mods" window "$work/game" >>"$work/mods"
done

bare_us=$(cut -d' ' -f1 "$work/bare" | median); bare_kb=$(cut -d' ' -f2 "$work/bare" | median)
mods_us=$(cut -d' ' -f1 "$work/mods" | median); mods_kb=$(cut -d' ' -f2 "$work/mods" | median)
awk -v bu="$bare_us" -v bk="$bare_kb" -v mu="$mods_us" -v mk="$mods_kb" -v runs="$runs" 'BEGIN {
    printf "%-22s %10s %12s\n", "", "shown (ms)", "peak (MiB)"
    printf "%-22s %10.1f %12.1f\n", "bare window", bu / 1000, bk / 1024
    printf "%-22s %10.1f %12.1f\n", "filled \"MOD\" tab", mu / 1000, mk / 1024
    printf "ratio: time %.2f, memory %.2f (medians of %d runs)\n", mu / bu, mk / bk, runs
}'
