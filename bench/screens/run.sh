#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs the screenshot page benchmark under Xvfb, so that the X server shares the cores
# as it does on a desktop. Usage: bench/screens/run.sh [files] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
files=${1:-500}
runs=${2:-5}
./scripts/deps xvfb >/dev/null
build_bench bench_screens

start_xvfb
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
QT_QPA_PLATFORM=xcb "$build/bench/bench_screens" "$files" "$runs" 2> >(grep -v -e XDG_RUNTIME_DIR >&2)
