#!/usr/bin/env bash
# CPU use of the real program while its main window only blinks. Starts Telimer under a private
# Xvfb with every download pointed at a closed loopback port, waits until the main window is up
# (the banner hands over after about five seconds), then reads the process's CPU time from
# /proc/PID/stat over the measuring period and prints it as a share of one core.
#
# usage: bench/run_idle_cpu.sh [SECONDS]    (SECONDS defaults to 30)
# TELIMER picks the executable (default: src/telimer in BUILD_DIR, itself build-bench next to
# this folder).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-30}
build=${BUILD_DIR:-$here/../build-bench}
telimer=${TELIMER:-$build/src/telimer}
[[ -x $telimer ]] || { echo "missing $telimer: build the telimer target first" >&2; exit 1; }

source "$here/XvfbSession.sh"
start_xvfb

# Port 9 (discard) on loopback is closed here, so every download fails at once, offline.
http_proxy=http://127.0.0.1:9 HTTP_PROXY=http://127.0.0.1:9 no_proxy= NO_PROXY= "$telimer" 2>/dev/null &
pid=$!
launched=$(date +%s.%N)
cleanup() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    stop_xvfb
}
trap cleanup EXIT

# The main window is the one titled "Telimer"; give it up to 20 s to be mapped, then a second to settle.
for _ in $(seq 200); do
    xwininfo -name Telimer 2>/dev/null | grep -q 'IsViewable' && break
    kill -0 "$pid" 2>/dev/null || { echo "Telimer ended before its main window appeared" >&2; exit 1; }
    sleep 0.1
done
xwininfo -name Telimer 2>/dev/null | grep -q 'IsViewable' || { echo "no main window after 20 s" >&2; exit 1; }
awk -v s="$launched" -v e="$(date +%s.%N)" 'BEGIN { printf "main window up %.1f s after launch\n", e - s }'
sleep 1

# utime + stime in clock ticks: fields 14 and 15 of /proc/PID/stat, counted after the
# parenthesised command name, which may itself hold spaces.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# Time spent on a CPU in nanoseconds, a finer figure where the kernel keeps it.
cpu_ns() { [[ -r /proc/$1/schedstat ]] && awk '{ print $1 }' "/proc/$1/schedstat" || echo 0; }

hz=$(getconf CLK_TCK)
ticks0=$(cpu_ticks "$pid") ns0=$(cpu_ns "$pid") xticks0=$(cpu_ticks "$XVFB_PID")
start=$(date +%s.%N)
sleep "$seconds"
ticks1=$(cpu_ticks "$pid") ns1=$(cpu_ns "$pid") xticks1=$(cpu_ticks "$XVFB_PID")
elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { print e - s }')

awk -v t="$((ticks1 - ticks0))" -v n="$((ns1 - ns0))" -v x="$((xticks1 - xticks0))" -v hz="$hz" -v s="$elapsed" 'BEGIN {
    printf "idle main window over %.1f s\n", s
    printf "Telimer CPU (utime+stime): %.3f %% of one core (%d ticks of 1/%d s)\n", 100 * t / hz / s, t, hz
    if (n > 0) printf "Telimer CPU (schedstat):   %.3f %% of one core\n", 100 * n / 1e9 / s
    printf "Xvfb CPU meanwhile:        %.3f %% of one core\n", 100 * x / hz / s
}'
