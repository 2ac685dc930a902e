#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs the screenshot page benchmark under Xvfb, so that the X server shares the cores
# as it does on a desktop. Usage: bench/screens/run.sh [files] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
files=${1:-500}
runs=${2:-5}
./scripts/deps xvfb >/dev/null

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
ninja -C "$build" -j2 bench_screens >/dev/null

# Xvfb picks a free display and writes its number once it accepts clients.
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$number"' EXIT
for _ in $(seq 1 100); do
    [ -s "$number" ] && break
    sleep 0.1
done
display=:$(tr -d '[:space:]' <"$number")
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bench/bench_screens" "$files" "$runs" \
    2> >(grep -v -e XDG_RUNTIME_DIR >&2)
