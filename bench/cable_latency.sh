#!/usr/bin/env bash
# What a cable's latency timer costs: complete `qtr318 read` and `qtr318 write` runs against the
# paced simulated radio acting as a cable that holds each answer for 0, 1 and 16 ms (16 ms is an
# FTDI chip's default; the udev rule sets 1 ms). The floor is the wire's own time at 9600 baud:
# 2077 bytes for a read, 5661 for a write with its backup read and read-back. Each figure is the
# best of RUNS, each run against a fresh radio.
#
# Usage: bench/cable_latency.sh [BUILD_DIR] [RUNS]
set -euo pipefail
runs=${2:-3}
source "$(dirname "$0")/timed_runs.sh"

best() { # name floor_bytes latency qtr318 arguments...
    local name=$1 bytes=$2 latency=$3
    shift 3
    for _ in $(seq "$runs"); do timed_run --pace --latency-timer "$latency" -- "$@"; done | awk -v name="$name" \
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
