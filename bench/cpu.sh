#!/usr/bin/env bash
# CPU used by the desktop program (offscreen, simulator) as a percentage of one core, idle or
# with a simulated connection up. Usage: bench/cpu.sh idle|connected [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VONALOR_BUILD_DIR:-$root/build}"
mode="${1:-idle}"
seconds="${2:-30}"
home="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT

args=(--home "$home" --platform sim --answer-dialogs)
case "$mode" in
idle) ;;
connected)
    printf 'at 1 connect Otthon setup 1\n' > "$home/scenario.txt"
    args+=(--sim-script "$home/scenario.txt")
    ;;
*)
    echo "usage: bench/cpu.sh idle|connected [SECONDS]" >&2
    exit 2
    ;;
esac

QT_QPA_PLATFORM=offscreen "$build/src/vonalor" "${args[@]}" 2>/dev/null &
pid=$!
sleep 5 # start-up, the first start's files and the connected edge are not the steady state

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
awk -v m="$mode" -v a="$before" -v b="$after" -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "%s CPU: %.3f %% of one core over %.1f s\n", m, (b - a) / hz / (e - s) * 100, e - s }'
