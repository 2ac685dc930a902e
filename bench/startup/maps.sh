#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Where the start-up memory goes: Morvane and the bare window each started under Xvfb as in run.sh;
# once the window is up, the resident memory of /proc/<pid>/smaps summed by mapping. Prints the
# largest mappings of each, those that grow most in Morvane and the files only Morvane maps.
# Usage: bench/startup/maps.sh [mappings listed, default 15]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/common.sh
top=${1:-15}
source bench/startup/program-folder.sh

# by_mapping SMAPS: "<KiB> <mapping>" per mapping, largest first; unnamed memory is "[anonymous]".
by_mapping() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / { name = $6 == "" ? "[anonymous]" : $6 }
         /^Rss:/ { kib[name] += $2 }
         END { for (n in kib) print kib[n], n }' "$1" | sort -k1,1nr
}

# snapshot NAME TITLE COMMAND...: the memory map of COMMAND once its window is up, in $work/NAME.smaps.
snapshot() {
    local name=$1 title=$2
    shift 2
    "$build/bench/bench_mapwatch" --smaps "$work/$name.smaps" "$title" -- "$@" >/dev/null 2>>"$work/stderr" ||
        { cat "$work/stderr" >&2; return 1; }
}
before_run
snapshot program モルベーン "$build/bin/Morvane"
snapshot bare bench_bare_window "$build/bench/bench_bare_window"
for who in program bare; do
    by_mapping "$work/$who.smaps" >"$work/$who.rss"
    awk -v who="$([ $who = program ] && echo Morvane || echo 'bare window')" \
        '{ s += $1 } END { printf "%s: %.1f MiB resident; the largest mappings (KiB):\n", who, s / 1024 }' "$work/$who.rss"
    head -n "$top" "$work/$who.rss" | awk '{ printf "%8d  %s\n", $1, $2 }'
done
echo "Larger in Morvane than in the bare window (KiB more):"
awk 'NR == FNR { bare[$2] = $1; next } ($2 in bare) { print $1 - bare[$2], $2 }' "$work/bare.rss" "$work/program.rss" |
    sort -k1,1nr | head -n "$top" | awk '{ printf "%8d  %s\n", $1, $2 }'
echo "Files mapped by Morvane only (KiB):"
awk 'NR == FNR { bare[$2] = 1; next } !($2 in bare) && $2 ~ /^\// { s += $1; printf "%8d  %s\n", $1, $2 }
     END { printf "%8d  in all\n", s }' "$work/bare.rss" "$work/program.rss"
