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
runs=${2:-5}
source "$(dirname "$0")/timed_runs.sh"

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
