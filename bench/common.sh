# SPDX-License-Identifier: MIT
# Sourced by the benchmark scripts: the release build, an Xvfb display, and the start-up comparison
# of a window with the bare six-tab window of bench/startup, measured the same way.

# Configures build-bench as a release build and builds the given targets.
build_bench() {
    build=build-bench
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
    ninja -C "$build" -j2 "$@" >/dev/null
}

# Starts Xvfb on a display it finds free and exports DISPLAY once it accepts clients. The caller
# kills "$xvfb" when done.
start_xvfb() {
    local number
    number=$(mktemp)
    # -noreset: a server resets as its last client leaves and refuses whoever connects meanwhile,
    # which would fail the next run now and then.
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 1 100); do
        [ -s "$number" ] && break
        sleep 0.1
    done
    DISPLAY=:$(tr -d '[:space:]' <"$number")
    export DISPLAY
    rm -f "$number"
}

# One start of a program that prints "shown <ns>" when its window is painted: prints the
# microseconds from its start to then, and its peak memory in KiB. A function named before_run,
# when the caller defines one, runs first (outside the time).
measure() {
    local start shown
    if declare -F before_run >/dev/null; then before_run; fi
    start=$(date +%s%N)
    shown=$(MORVANE_BENCH_SHOWN=1 /usr/bin/time -f '%M' -o "$work/mem" "$@" 2>/dev/null | sed -n 's/^shown //p')
    [ -n "$shown" ] || { echo "no window shown by $*" >&2; exit 1; }
    echo "$(((shown - start) / 1000))" "$(cat "$work/mem")"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# compare_with_bare LABEL RUNS COMMAND...: the bare window and COMMAND started in turn RUNS times
# (after one warming start each), then both medians and their ratios.
compare_with_bare() {
    local label=$1 runs=$2 bare_us bare_kb us kb
    shift 2
    : >"$work/bare"
    : >"$work/other"
    measure "$build/bench/startup/bench_bare_window" >/dev/null
    measure "$@" >/dev/null
    for _ in $(seq 1 "$runs"); do
        measure "$build/bench/startup/bench_bare_window" >>"$work/bare"
        measure "$@" >>"$work/other"
    done
    bare_us=$(cut -d' ' -f1 "$work/bare" | median)
    bare_kb=$(cut -d' ' -f2 "$work/bare" | median)
    us=$(cut -d' ' -f1 "$work/other" | median)
    kb=$(cut -d' ' -f2 "$work/other" | median)
    awk -v bu="$bare_us" -v bk="$bare_kb" -v mu="$us" -v mk="$kb" -v runs="$runs" -v label="$label" 'BEGIN {
        printf "%-24s %10s %12s\n", "", "shown (ms)", "peak (MiB)"
        printf "%-24s %10.1f %12.1f\n", "bare window", bu / 1000, bk / 1024
        printf "%-24s %10.1f %12.1f\n", label, mu / 1000, mk / 1024
        printf "ratio: time %.2f, memory %.2f (target at most 1.30 each; medians of %d runs)\n", mu / bu, mk / bk, runs
    }'
}
