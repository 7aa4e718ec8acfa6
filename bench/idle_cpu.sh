#!/usr/bin/env bash
# CPU used by an idle desktop program (offscreen, simulator, no connection), as a
# percentage of one core over a measuring window. Usage: bench/idle_cpu.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VONALOR_BUILD_DIR:-$root/build}"
seconds="${1:-30}"
home="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT

QT_QPA_PLATFORM=offscreen "$build/src/vonalor" --home "$home" --platform sim --answer-dialogs 2>/dev/null &
pid=$!
sleep 3 # start-up and the first start's files are not idle time

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
awk -v a="$before" -v b="$after" -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "idle CPU: %.3f %% of one core over %.1f s\n", (b - a) / hz / (e - s) * 100, e - s }'
