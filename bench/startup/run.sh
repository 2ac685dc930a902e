#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of Morvane beside the bare window of bench/startup (Qt Widgets alone, the same six tabs,
# font and size), under one Xvfb: the time from the start until the window is mapped and the peak
# memory, in alternating rounds, the first a warm-up. The program folder is program-folder.sh's.
# Usage: bench/startup/run.sh [rounds, default 6]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
rounds=${1:-6}
source bench/startup/program-folder.sh
time_target=1.30 memory_target=1.15 compare_with_bare Morvane "$rounds" モルベーン "$build/bin/Morvane"
