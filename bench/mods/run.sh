#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The "MOD" tab on a game folder with 1,000 mods (half with descriptions) and 200 active entries, under
# Xvfb: the time of LoadModLists, of the tab's first show, and the start-up of a six-tab window whose
# "MOD" tab is filled beside the bare six-tab window of bench/startup (time until mapped, peak memory).
# Usage: bench/mods/run.sh [start-up rounds, default 15]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
runs=${1:-15}
./scripts/deps xvfb >/dev/null
build_bench bench_mods bench_bare_window bench_mapwatch

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/game" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
start_xvfb

"$build/bench/bench_mods" make "$work/game"
"$build/bench/bench_mods" load "$work/game" 41
"$build/bench/bench_mods" show "$work/game" 21 2>/dev/null
time_target=1.30 memory_target=1.30 \
    compare_with_bare 'filled "MOD" tab' "$runs" bench_mods "$build/bench/bench_mods" window "$work/game"
