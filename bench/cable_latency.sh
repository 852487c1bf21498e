#!/usr/bin/env bash
# What a cable's latency timer costs: complete `qtr318 read` and `qtr318 write` runs against the
# paced simulated radio acting as a cable that holds each answer for 0, 1 and 16 ms (16 ms is an
# FTDI chip's default; the udev rule sets 1 ms). The floor is the wire's own time at 9600 baud:
# 2077 bytes for a read, 5661 for a write with its backup read and read-back. Each figure is the
# best of RUNS, each run against a fresh radio.
#
# Usage: bench/cable_latency.sh [BUILD_DIR] [RUNS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
runs=${2:-3}
qtr318=$build/cli/qtr318
sim=$build/tools/qtr318-radio-sim
work=$(mktemp -d)
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# Seconds one command takes against a fresh radio: timed LATENCY qtr318 arguments (PORT stands
# for the device).
timed() {
    local latency=$1
    shift
    : >"$work/sim.out"
    "$sim" --pace --latency-timer "$latency" >"$work/sim.out" 2>/dev/null &
    sim_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/sim.out" ] && break
        sleep 0.05
    done
    local port arguments=() begin end
    port=$(head -n 1 "$work/sim.out")
    for argument in "$@"; do arguments+=("${argument/PORT/$port}"); done
    begin=$(date +%s.%N)
    "$qtr318" "${arguments[@]}" >/dev/null
    end=$(date +%s.%N)
    kill "$sim_pid"
    wait "$sim_pid" || true
    sim_pid=
    echo "$end - $begin" | bc -l
}

best() { # name floor_bytes latency qtr318 arguments...
    local name=$1 bytes=$2 latency=$3
    shift 3
    for _ in $(seq "$runs"); do timed "$latency" "$@"; done | awk -v name="$name" \
        -v latency="$latency" -v bytes="$bytes" '
        { if (NR == 1 || $1 < best) best = $1 }
        END { floor = bytes / 960
              printf "%-6s latency timer %2d ms  floor %.3f s  best %.3f s  (ratio %.3f, %+.3f s)\n",
                     name, latency, floor, best, best / floor, best - floor }'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)  runs: $runs"
"$qtr318" new -o "$work/image.sin"
for latency in 0 1 16; do
    best read 2077 "$latency" read --port PORT -o "$work/read.sin"
    best write $((2077 + 1507 + 2077)) "$latency" \
        write --port PORT --backup "$work/backup.sin" "$work/image.sin"
done
