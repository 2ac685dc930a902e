# SPDX-License-Identifier: MIT
# Sourced by bench/startup's scripts, after bench/common.sh: the release build of what they start, a
# work folder removed at the end, and in it the demo game in $work/game, a program folder in
# $work/program that names it, lists 50 hosts and does not fetch the public address at start-up, and
# a private runtime folder; then an Xvfb display. Morvane writes its settings as it ends: before_run
# puts them back, so that every start finds them as the first did.
./scripts/deps xvfb >/dev/null
build_bench morvane fake_ghostrecon bench_bare_window bench_mapwatch
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/game" "$work/program" "$work/runtime"
chmod 700 "$work/runtime"
cp -r tests/fixtures/game/. "$work/game/"
cp "$build/helpers/GhostRecon.exe" "$work/game/"
printf '[Path]\r\nGhostReconPath=%s\r\n[StartUp]\r\nGetIP=0\r\n' "$work/game" >"$work/Morvane.ini"
{
    printf '[HostList]\r\n'
    for n in $(seq 1 50); do
        printf 'Hostname%d=\x83\x7a\x83\x58\x83\x67%d\r\nHostIP%d=127.0.0.%d:2346\r\n' "$n" "$n" "$n" "$n"
    done
} >"$work/program/hostlist.txt"
export MORVANE_HOME="$work/program" XDG_RUNTIME_DIR="$work/runtime"
before_run() { cp "$work/Morvane.ini" "$work/program/Morvane.ini"; }
start_xvfb
