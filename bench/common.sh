# SPDX-License-Identifier: MIT
# Sourced by the benchmark scripts: the release build, an Xvfb display, and the start-up comparison
# of a window with the bare six-tab window of bench/startup, measured the same way.

# Configures build-bench as a release build and builds the given targets.
build_bench() {
    build=build-bench
    local launcher=()
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF "${launcher[@]}" >/dev/null
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

# measure TITLE COMMAND...: one start of COMMAND under bench_mapwatch; prints the milliseconds until
# its window titled TITLE was mapped, its peak memory in KiB and its exit status after the SIGTERM.
# A function named before_run, when the caller defines one, runs first (outside the time). What
# the programs write to stderr goes to $work/stderr.
measure() {
    local title=$1 line
    shift
    if declare -F before_run >/dev/null; then before_run; fi
    if ! line=$("$build/bench/bench_mapwatch" "$title" -- "$@" 2>>"$work/stderr"); then
        tail -n 5 "$work/stderr" >&2
        echo "no window titled $title from $*" >&2
        return 1
    fi
    sed -E 's/^map_ms=([^ ]+) peak_kib=([^ ]+) exit=([^ ]+)$/\1 \2 \3/' <<<"$line"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# compare_with_bare LABEL ROUNDS TITLE COMMAND...: ROUNDS rounds, each starting COMMAND (whose window
# is titled TITLE) and then the bare window of bench/startup; the first round only warms the caches.
# Prints both medians of the others and the ratios COMMAND ÷ bare, against time_target and
# memory_target when the caller sets them.
compare_with_bare() {
    local label=$1 rounds=$2 title=$3 round other bare
    shift 3
    [ "$rounds" -ge 2 ] || { echo "at least 2 rounds (the first is a warm-up)" >&2; return 1; }
    : >"$work/other"
    : >"$work/bare"
    for round in $(seq 1 "$rounds"); do
        other=$(measure "$title" "$@")
        bare=$(measure bench_bare_window "$build/bench/bench_bare_window")
        awk -v r="$round" -v o="$other" -v b="$bare" -v label="$label" 'BEGIN {
            split(o, x, " "); split(b, y, " ")
            printf "round %d%s: %s %.1f ms %.1f MiB (exit %s), bare %.1f ms %.1f MiB\n", r,
                r == 1 ? " (warm-up)" : "", label, x[1], x[2] / 1024, x[3], y[1], y[2] / 1024
        }'
        if [ "$round" -gt 1 ]; then
            echo "$other" >>"$work/other"
            echo "$bare" >>"$work/bare"
        fi
    done
    awk -v bm="$(cut -d' ' -f1 "$work/bare" | median)" -v bk="$(cut -d' ' -f2 "$work/bare" | median)" \
        -v om="$(cut -d' ' -f1 "$work/other" | median)" -v ok="$(cut -d' ' -f2 "$work/other" | median)" \
        -v n="$((rounds - 1))" -v label="$label" -v tt="${time_target:-}" -v mt="${memory_target:-}" '
        function verdict(ratio, target) {
            return target == "" ? "" : sprintf(" (target <= %.2f: %s)", target, ratio <= target ? "met" : "missed")
        }
        BEGIN {
            printf "%-24s %12s %12s\n", "", "mapped (ms)", "peak (MiB)"
            printf "%-24s %12.1f %12.1f\n", "bare window", bm, bk / 1024
            printf "%-24s %12.1f %12.1f\n", label, om, ok / 1024
            printf "%s / bare: time %.2f%s, memory %.2f%s\n", label, om / bm, verdict(om / bm, tt), ok / bk, verdict(ok / bk, mt)
            printf "medians of %d rounds after a warm-up round\n", n
        }'
}
