#!/usr/bin/env bash
# CPU (percent of one core) and wake-ups a second (context switches of all its threads, as
# `perf stat -e context-switches -p PID` counts them) of the desktop program (offscreen,
# simulator) or of `vonalorctl monitor`, idle or with a simulated connection up; the window
# shown or hidden in the tray. When vnstatd is installed it is measured beside it in the same
# run, as the yardstick of a well-behaved monitor.
# Usage: bench/cpu.sh idle|connected|hidden|monitor-idle|monitor-connected [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VONALOR_BUILD_DIR:-$root/build}"
mode="${1:-idle}"
seconds="${2:-30}"
home="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done; rm -rf "$home"' EXIT

printf 'at 1 connect Otthon setup 1\n' > "$home/scenario.txt"
desktop=(--home "$home/desktop" --platform sim --answer-dialogs)
monitor=(--home "$home/monitor" monitor)
case "$mode" in
idle | monitor-idle) ;;
connected) desktop+=(--sim-script "$home/scenario.txt") ;;
hidden)
    # Started hidden in the tray, as after a login.
    mkdir -p "$home/desktop"
    "$build/src/vonalorctl" --home "$home/desktop" set IndulMin 1 >/dev/null
    desktop+=(--sim-script "$home/scenario.txt")
    ;;
monitor-connected) monitor+=(--sim-script "$home/scenario.txt") ;;
*)
    echo "usage: bench/cpu.sh idle|connected|hidden|monitor-idle|monitor-connected [SECONDS]" >&2
    exit 2
    ;;
esac

case "$mode" in
monitor-*) "$build/src/vonalorctl" "${monitor[@]}" >/dev/null 2>&1 & ;;
*) QT_QPA_PLATFORM=offscreen "$build/src/vonalor" "${desktop[@]}" 2>/dev/null & ;;
esac
pids+=($!)
names=("$mode")
if command -v vnstatd >/dev/null; then
    mkdir -p "$home/vnstat"
    vnstatd --nodaemon --noadd --dbdir "$home/vnstat" >/dev/null 2>&1 &
    pids+=($!)
    names+=("vnstatd")
fi
sleep 5 # start-up, the first start's files and the connected edge are not the steady state
if [ "${#pids[@]}" -gt 1 ] && ! kill -0 "${pids[1]}" 2>/dev/null; then
    echo "cpu: vnstatd did not keep running here; measured alone" >&2
    pids=("${pids[0]}")
    names=("${names[0]}")
fi

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# perf counts the switches of every thread, also of threads that end meanwhile; without it the
# threads alive at both ends are summed. "<not counted>" means the process never ran: none.
switches_over() {
    local p=$1
    if command -v perf >/dev/null; then
        perf stat -x, -e context-switches -p "$p" -- sleep "$seconds" 2>&1 >/dev/null |
            awk -F, '/context-switches/ { print ($1 ~ /^[0-9]+$/ ? $1 : 0) }'
    else
        local a b
        a=$(cat /proc/"$p"/task/*/status | awk '/ctxt_switches/ { n += $2 } END { print n }')
        sleep "$seconds"
        b=$(cat /proc/"$p"/task/*/status | awk '/ctxt_switches/ { n += $2 } END { print n }')
        echo $((b - a))
    fi
}
hz=$(getconf CLK_TCK)
declare -A t0 t1
out="$home/switches"
mkdir -p "$out"
for p in "${pids[@]}"; do
    t0[$p]=$(ticks "$p")
done
start=$(date +%s.%N)
for p in "${pids[@]}"; do
    switches_over "$p" >"$out/$p" &
done
wait_for=()
for job in $(jobs -p); do
    case " ${pids[*]} " in *" $job "*) ;; *) wait_for+=("$job") ;; esac
done
wait "${wait_for[@]}"
end=$(date +%s.%N)
for p in "${pids[@]}"; do
    t1[$p]=$(ticks "$p")
done
i=0
for p in "${pids[@]}"; do
    awk -v m="${names[$i]}" -v a="${t0[$p]}" -v b="${t1[$p]}" -v n="$(cat "$out/$p")" \
        -v hz="$hz" -v s="$start" -v e="$end" \
        'BEGIN { printf "%-18s CPU %.3f %% of one core, %.2f wake-ups a second over %.1f s\n",
                 m, (b - a) / hz / (e - s) * 100, n / (e - s), e - s }'
    i=$((i + 1))
done
