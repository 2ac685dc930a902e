#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of Morvane on the demo installation with 50 hosts, under Xvfb, beside a bare Qt window
# with six tabs measured the same way: time from the program's start to its window painted, and
# peak memory (maximum resident set). Usage: bench/startup/run.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-15}
./scripts/deps xvfb xauth time >/dev/null

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
ninja -C "$build" -j2 morvane bench_bare_window fake_ghostrecon >/dev/null

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/game" "$work/program" "$work/runtime"
chmod 700 "$work/runtime"
cp -r tests/fixtures/game/. "$work/game/"
cp "$build/helpers/GhostRecon.exe" "$work/game/"
printf '[Path]\r\nGhostReconPath=%s\r\n' "$work/game" >"$work/program/Morvane.ini"
{
    printf '[HostList]\r\n'
    for n in $(seq 1 50); do
        printf 'Hostname%d=\x83\x7a\x83\x58\x83\x67%d\r\nHostIP%d=127.0.0.%d:2346\r\n' "$n" "$n" "$n" "$n"
    done
} >"$work/program/hostlist.txt"
cp "$work/program/Morvane.ini" "$work/Morvane.ini.orig"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

# One run: prints "milliseconds kilobytes".
measure() {
    local start shown
    cp "$work/Morvane.ini.orig" "$work/program/Morvane.ini"
    start=$(date +%s%N)
    shown=$(DISPLAY=$display MORVANE_BENCH_SHOWN=1 MORVANE_HOME="$work/program" XDG_RUNTIME_DIR="$work/runtime" \
        /usr/bin/time -f '%M' -o "$work/mem" "$@" 2>/dev/null | sed -n 's/^shown //p')
    [ -n "$shown" ] || { echo "no window shown by $*" >&2; exit 1; }
    echo "$(( (shown - start) / 1000 ))" "$(cat "$work/mem")"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

: >"$work/bare"; : >"$work/morvane"
measure "$build/bench/startup/bench_bare_window" >/dev/null   # warm the caches once
measure "$build/bin/Morvane" >/dev/null
for _ in $(seq 1 "$runs"); do
    measure "$build/bench/startup/bench_bare_window" >>"$work/bare"
    measure "$build/bin/Morvane" >>"$work/morvane"
done

bare_us=$(cut -d' ' -f1 "$work/bare" | median); bare_kb=$(cut -d' ' -f2 "$work/bare" | median)
mor_us=$(cut -d' ' -f1 "$work/morvane" | median); mor_kb=$(cut -d' ' -f2 "$work/morvane" | median)
awk -v bu="$bare_us" -v bk="$bare_kb" -v mu="$mor_us" -v mk="$mor_kb" -v runs="$runs" 'BEGIN {
    printf "%-12s %10s %12s\n", "", "shown (ms)", "peak (MiB)"
    printf "%-12s %10.1f %12.1f\n", "bare window", bu / 1000, bk / 1024
    printf "%-12s %10.1f %12.1f\n", "Morvane", mu / 1000, mk / 1024
    printf "ratio: time %.2f, memory %.2f (target at most 1.30 each; medians of %d runs)\n", mu / bu, mk / bk, runs
}'
