#!/usr/bin/env bash
# Several radios at once: `qtr318 write --port A --port B ...` against N paced simulated radios,
# timed beside the same write to one radio. Each radio has its own thread and its own line, so
# the figures should be close; the ratio says how close.
#
# Usage: bench/fleet_speed.sh [BUILD_DIR] [RADIOS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
count=${2:-4}
qtr318=$build/cli/qtr318
sim=$build/tools/qtr318-radio-sim
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

ports=()
for n in $(seq "$count"); do
    "$sim" --pace >"$work/sim$n.out" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do
        [ -s "$work/sim$n.out" ] && break
        sleep 0.05
    done
    ports+=(--port "$(head -n 1 "$work/sim$n.out")")
done
"$qtr318" new -o "$work/image.sin"

seconds() { # qtr318 arguments...
    local begin end
    begin=$(date +%s.%N)
    XDG_DATA_HOME=$work "$qtr318" "$@" >"$work/out.txt" 2>"$work/err.txt" || {
        cat "$work/err.txt" >&2
        exit 1
    }
    end=$(date +%s.%N)
    echo "$end - $begin" | bc -l
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
one=$(seconds write "${ports[@]:0:2}" "$work/image.sin")
all=$(seconds write "${ports[@]}" "$work/image.sin")
cat "$work/out.txt"
awk -v one="$one" -v all="$all" -v n="$count" 'BEGIN {
    printf "write to 1 radio: %.3f s   write to %d radios at once: %.3f s   ratio %.2f   %s\n",
           one, n, all, all / one, all / one <= 1.25 ? "ok (<= 1.25)" : "SLOWER THAN EXPECTED" }'
