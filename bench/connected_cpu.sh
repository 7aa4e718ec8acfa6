#!/usr/bin/env bash
# CPU used by the desktop program (offscreen, simulator) while a simulated connection is up,
# as a percentage of one core. Usage: bench/connected_cpu.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VONALOR_BUILD_DIR:-$root/build}"
seconds="${1:-60}"
home="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
printf 'at 1 connect Otthon setup 1\n' > "$home/scenario.txt"

QT_QPA_PLATFORM=offscreen "$build/src/vonalor" --home "$home" --platform sim --answer-dialogs \
    --sim-script "$home/scenario.txt" 2>/dev/null &
pid=$!
sleep 5 # start-up, dialling and the connected edge are not the steady state

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
awk -v a="$before" -v b="$after" -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "connected CPU: %.3f %% of one core over %.1f s\n", (b - a) / hz / (e - s) * 100, e - s }'
