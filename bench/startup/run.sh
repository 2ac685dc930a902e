#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of Morvane on the demo installation with 50 hosts, under Xvfb, beside a bare Qt window
# with six tabs measured the same way: time from the program's start to its window painted, and
# peak memory (maximum resident set). Usage: bench/startup/run.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
runs=${1:-15}
./scripts/deps xvfb xauth time >/dev/null
build_bench morvane bench_bare_window fake_ghostrecon

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
export MORVANE_HOME="$work/program" XDG_RUNTIME_DIR="$work/runtime"
# Every start finds the settings as the first did.
before_run() { cp "$work/Morvane.ini.orig" "$work/program/Morvane.ini"; }

start_xvfb
compare_with_bare Morvane "$runs" "$build/bin/Morvane"
