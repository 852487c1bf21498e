# Sourced by the bench scripts that time whole qtr318 runs, each against a fresh simulated
# radio: "$1" is the build folder (default build/), and the caller sets runs. Defines qtr318, sim,
# a scratch folder $work removed on exit, and timed_run.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$top/build}
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

