#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs the status check benchmark.
#   bench/status/run.sh [seconds of the idle measurement] [cycles per mode]
# The cycle is measured without watched hosts and with all 50 watched, in alternating blocks.
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
seconds=${1:-60}
cycles=${2:-50}
build_bench bench_status
# The offscreen platform warns about every window hint; that is noise here.
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bench/bench_status" "$seconds" "$cycles" \
    2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2)
