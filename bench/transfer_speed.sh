#!/usr/bin/env bash
# Times complete `qtr318 read` and `qtr318 write` runs against the simulated radio.
# Paced, the radio takes 1/960 s per byte as a 9600-baud line does, so a read (2077 bytes on the
# wire) cannot beat 2.164 s and a write (1507 bytes) 1.570 s; the ratios show what the program
# adds on top. Unpaced, the figure is the program's own cost per complete read.
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
    "$sim" "$@" >"$work/sim.out" &
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

# Prints the best and the median of $runs timings of the given command, in seconds.
time_runs() {
    local times=()
    for _ in $(seq "$runs"); do
        local begin end
        begin=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        times+=("$(echo "$end - $begin" | bc -l)")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f %.3f\n", t[1], t[int((NR + 1) / 2)] }'
}

report() { # name floor best median
    awk -v name="$1" -v floor="$2" -v best="$3" -v median="$4" 'BEGIN {
        printf "%-14s best %.3f s  median %.3f s  floor %.3f s  ratio %.3f (median %.3f)  %s\n",
               name, best, median, floor, best / floor, median / floor,
               best / floor <= 1.05 ? "ok (<= 1.05)" : "TOO SLOW (> 1.05)" }'
}

echo "load average: $(cut -d" " -f1-3 /proc/loadavg)  runs: $runs"
"$qtr318" new -o "$work/image.sin" 2>/dev/null || cp /dev/null "$work/image.sin"
start_sim --pace
if [ ! -s "$work/image.sin" ]; then "$qtr318" read --port "$port" -o "$work/image.sin"; fi
read -r best median < <(time_runs "$qtr318" read --port "$port" -o "$work/read.sin")
report "paced read" "$(echo "2077 / 960" | bc -l)" "$best" "$median"
read -r best median < <(time_runs "$qtr318" write --port "$port" "$work/image.sin")
report "paced write" "$(echo "1507 / 960" | bc -l)" "$best" "$median"
stop_sim

start_sim
read -r best median < <(time_runs "$qtr318" read --port "$port" -o "$work/read.sin")
awk -v best="$best" -v median="$median" 'BEGIN {
    printf "%-14s best %.3f s  median %.3f s  limit 0.150 s  %s\n", "unpaced read", best, median,
           best < 0.15 ? "ok" : "TOO SLOW" }'
stop_sim
