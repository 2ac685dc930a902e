#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The options editor's figures:
#   1. load and save of a 2,000-line "options.xml" (bench_options, offscreen);
#   2. start-up with both options pages filled from the demo installation, beside the bare window of
#      bench/startup measured the same way under Xvfb (target: at most 1.3 times its time).
# Usage: bench/options/run.sh [runs of the load and save, default 200] [start-up rounds, default 15]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
runs=${1:-200}
startups=${2:-15}
./scripts/deps xvfb >/dev/null
build_bench bench_options bench_options_window bench_bare_window bench_mapwatch

QT_QPA_PLATFORM=offscreen "$build/bench/bench_options" "$runs" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/game" "$work/runtime"
chmod 700 "$work/runtime"
cp tests/fixtures/game/options.xml "$work/game/"
export MORVANE_BENCH_GAME="$work/game" XDG_RUNTIME_DIR="$work/runtime"
start_xvfb
time_target=1.30 compare_with_bare "both options pages" "$startups" bench_options_window \
    "$build/bench/bench_options_window"
