#!/usr/bin/env bash
# Times complete `qtr318 read` and `qtr318 write` runs against the simulated radio.
#
# Paced, the radio takes 1/960 s per byte as a 9600-baud line does, so a read (2077 bytes on the
# wire) cannot beat 2.164 s and a write (1507 bytes) 1.570 s, or 5.898 s with the read before
# it and the read-back after; the ratios show what the program
# adds on top, process start included. On a busy machine the simulator itself sometimes sends
# an answer late (its writes to the pseudo-terminal wait for the kernel); it measures by how much,
# and the "net" figures take that out so that only the program's own time is judged. The raw
# figures are printed as well. Each figure is the best of RUNS, each run against a fresh radio.
# Unpaced, the figure is the program's own cost per complete read.
#
# Usage: bench/transfer_speed.sh [BUILD_DIR] [RUNS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
runs=${2:-5}
qtr318=$build/cli/qtr318
sim=$build/tools/qtr318-radio-sim
work=$(mktemp -d)
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

start_sim() {
    : >"$work/sim.out"
    "$sim" --stats "$@" >"$work/sim.out" 2>"$work/sim.err" &
    sim_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/sim.out" ] && break
        sleep 0.05
    done
    port=$(head -n 1 "$work/sim.out")
}

stop_sim() {
    kill "$sim_pid"
    wait "$sim_pid" || true
    sim_pid=
}

# One timed run against a fresh radio: prints "elapsed late median_turnaround_us".
timed_run() { # sim options... -- qtr318 arguments (PORT stands for the device)
    local sim_options=() arguments=()
    while [ "$1" != "--" ]; do sim_options+=("$1"); shift; done
    shift
    start_sim "${sim_options[@]}"
    for argument in "$@"; do arguments+=("${argument/PORT/$port}"); done
    local begin end
    begin=$(date +%s.%N)
    "$qtr318" "${arguments[@]}" >/dev/null
    end=$(date +%s.%N)
    stop_sim
    local late turnaround
    late=$(sed -n 's/.*late by \([0-9.]*\) ms.*/\1/p' "$work/sim.err")
    turnaround=$(sed -n 's/.*median \([0-9]*\) us.*/\1/p' "$work/sim.err")
    echo "$(echo "$end - $begin" | bc -l) ${late:-0} ${turnaround:-0}"
}

# name floor_bytes sim options -- qtr318 arguments
paced() {
    local name=$1 bytes=$2
    shift 2
    for _ in $(seq "$runs"); do timed_run --pace "$@"; done | awk -v name="$name" -v bytes="$bytes" '
        { raw = $1; net = $1 - $2 / 1000
          if (NR == 1 || raw < best_raw) best_raw = raw
          if (NR == 1 || net < best_net) { best_net = net; late = $2; turn = $3 } }
        END { floor = bytes / 960
              printf "%-12s floor %.3f s  raw best %.3f s (ratio %.3f)  net best %.3f s (ratio %.3f, sim late %.1f ms, median turnaround %d us)  %s\n",
                     name, floor, best_raw, best_raw / floor, best_net, best_net / floor, late, turn,
                     best_net / floor <= 1.05 ? "ok (<= 1.05)" : "TOO SLOW (> 1.05)" }'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)  runs: $runs"
"$qtr318" new -o "$work/image.sin" 2>/dev/null || true
if [ ! -s "$work/image.sin" ]; then
    start_sim
    "$qtr318" read --port "$port" -o "$work/image.sin"
    stop_sim
fi
paced "paced read" 2077 -- read --port PORT -o "$work/read.sin"
# A write reads the radio first (the backup) and reads it back afterwards: two reads and a write.
paced "paced write" $((2077 + 1507 + 2077)) -- write --port PORT --backup "$work/backup.sin" "$work/image.sin"

for _ in $(seq "$runs"); do timed_run -- read --port PORT -o "$work/read.sin"; done | awk '
    { if (NR == 1 || $1 < best) best = $1 }
    END { printf "%-12s best %.3f s  limit 0.150 s  %s\n", "unpaced read", best, best < 0.15 ? "ok" : "TOO SLOW" }'
