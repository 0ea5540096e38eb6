#!/usr/bin/env bash
# Start-up of Telimer's main window against a bare Qt window with as many plain widgets, run
# alternately under one private Xvfb. Prints the medians of the time from process start to the
# first frame on screen and of the peak resident memory, and Telimer's ratios to the bare program.
#
# usage: bench/run_startup.sh [RUNS]        (RUNS defaults to 20)
# BUILD_DIR picks the build folder (default: build-bench next to this folder).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-20}
build=${BUILD_DIR:-$here/../build-bench}
launch=$build/bench/bench_launch
programs=(bench_startup_form1 bench_startup_bare)
for exe in "$launch" "${programs[@]/#/$build/bench/}"; do
    [[ -x $exe ]] || { echo "missing $exe: build the bench targets in $build first" >&2; exit 1; }
done

source "$here/XvfbSession.sh"
start_xvfb
echo "Xvfb on $DISPLAY, $runs runs each, alternating"

results=$(mktemp)
cleanup() { rm -f "$results"; stop_xvfb; }
trap cleanup EXIT

# Prints "<ms> <kB> <main> <application> <window> <paint>" for one run of a program: the time
# to the first frame, the peak RSS and when each phase of the start-up began, all since exec.
run_once() {
    local out
    out=$("$launch" "$build/bench/$1" 2>/dev/null)
    awk '/^startup_ms/ { ms = $2 } /^maxrss_kb/ { kb = $2 } /^phase/ { at[$2] = $3 }
         END { if (ms == "" || kb == "") exit 1
               print ms, kb, at["main"] + 0, at["application"] + 0, at["window"] + 0, at["paint"] + 0 }' <<<"$out" \
        || { echo "$1 reported nothing" >&2; exit 1; }
}

# One unrecorded run each first, so that neither pays alone for the cold caches.
for program in "${programs[@]}"; do warm=$(run_once "$program"); done
for ((i = 1; i <= runs; i++)); do
    for program in "${programs[@]}"; do
        line=$(run_once "$program")
        echo "$program $line" >>"$results"
    done
done

median() { # program, awk expression over its row's columns
    awk -v p="$1" '$1 == p { print '"$2"' }' "$results" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

telimer_ms=$(median bench_startup_form1 '$2')
bare_ms=$(median bench_startup_bare '$2')
telimer_kb=$(median bench_startup_form1 '$3')
bare_kb=$(median bench_startup_bare '$3')
awk -v tm="$telimer_ms" -v bm="$bare_ms" -v tk="$telimer_kb" -v bk="$bare_kb" 'BEGIN {
    printf "%-24s %12s %16s\n", "median of " '"$runs"' " runs", "first frame", "peak RSS"
    printf "%-24s %9.1f ms %13.1f MB\n", "Telimer (Form1)", tm, tk / 1024
    printf "%-24s %9.1f ms %13.1f MB\n", "bare Qt, 27 widgets", bm, bk / 1024
    printf "%-24s %11.2fx %15.2fx\n", "ratio Telimer / bare", tm / bm, tk / bk
}'

# Where the time goes: medians of each phase's length.
echo
printf '%-44s %10s %10s\n' "phases (medians, ms)" "Telimer" "bare"
phase_row() { # label, awk expression
    printf '%-44s %10.1f %10.1f\n' "$1" "$(median bench_startup_form1 "$2")" "$(median bench_startup_bare "$2")"
}
phase_row "exec to main (loading shared libraries)" '$4'
phase_row "QApplication" '$5 - $4'
phase_row "creating the window (Form1: with Form_Load)" '$6 - $5'
phase_row "show to first paint event" '$7 - $6'
phase_row "painting, flush, X round trip" '$2 - $7'
