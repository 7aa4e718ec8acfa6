#!/usr/bin/env bash
# Time from starting the desktop program to its main window shown on the screen (a virtual X
# display, the simulator, a data home made beforehand so no first start is timed), over several
# runs; prints the fastest, the median and the slowest. Usage: bench/startup.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VONALOR_BUILD_DIR:-$root/build}"
runs="${1:-10}"
for tool in Xvfb xwininfo; do
    command -v "$tool" >/dev/null || { echo "startup: $tool is needed (Debian: xvfb, x11-utils)" >&2; exit 2; }
done

home="$(mktemp -d)"
display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
export DISPLAY="$display"
until xwininfo -root >/dev/null 2>&1; do sleep 0.05; done

start_once() {
    local begin end pid
    begin=$(date +%s%N)
    "$build/src/vonalor" --home "$home" --platform sim --answer-dialogs 2>/dev/null &
    pid=$!
    # The main window: titled "Vonalor" with the program's class (Qt keeps a 1x1 helper of the
    # same title); shown once the server says it is viewable.
    local id=""
    until [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable"; do
        id=$(xwininfo -root -tree 2>/dev/null | awk '/"Vonalor": \("vonalor" "Vonalor"\)/ { print $1; exit }')
        kill -0 "$pid" 2>/dev/null || { echo "startup: vonalor ended before its window showed" >&2; exit 1; }
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((end - begin) / 1000000))
}

start_once >/dev/null # the first start's files and a warm disk cache
times=()
for ((i = 0; i < runs; i++)); do
    times+=("$(start_once)")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
    printf "start to shown main window: min %d ms, median %d ms, max %d ms (%d runs)\n", t[1], t[int((NR + 1) / 2)], t[NR], NR }'
