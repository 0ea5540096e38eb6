#!/usr/bin/env bash
# Start-up of Telimer along its own path (the banner with its downloads, then the main window)
# against a bare Qt window with as many plain widgets, run alternately under one private Xvfb,
# with the maker's server refused (the proxy names a closed loopback port) and silent (it takes
# the requests and never answers). Prints the medians of the time from process start to the
# banner's and the main window's first frames and of the peak resident memory, and the ratios
# to the bare program.
#
# usage: bench/run_startup.sh [RUNS]        (RUNS defaults to 10; a silent run takes 15 s)
# BUILD_DIR picks the build folder (default: build-bench next to this folder); it needs the bench
# targets and fake_maker_server.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-10}
build=${BUILD_DIR:-$here/../build-bench}
launch=$build/bench/bench_launch
server=$build/tests/online/fake_maker_server
for exe in "$launch" "$server" "$build"/bench/{bench_startup_form1,bench_startup_bare}; do
    [[ -x $exe ]] || { echo "missing $exe: build the bench targets and fake_maker_server in $build first" >&2; exit 1; }
done

source "$here/XvfbSession.sh"
start_xvfb
echo "Xvfb on $DISPLAY, $runs runs each, alternating"

make_work_folder bench_startup_form1 bench_startup_bare
start_maker_server --fault accept_stall
silent=$server_port
closed=$(closed_port)
results=$work/results

# Prints "<main ms> <kB> <banner ms> <application ms>" for one run: the main window's (or the
# bare window's) first frame, the peak RSS then, the banner's first frame, all since exec.
run_once() {
    local scenario=$1 program=bench_startup_form1 port=$closed out
    [[ $scenario == bare ]] && program=bench_startup_bare
    [[ $scenario == silent ]] && port=$silent
    out=$(http_proxy=http://127.0.0.1:$port no_proxy="" HTTP_PROXY="" NO_PROXY="" "$launch" "$work/bin/$program" 2>/dev/null)
    awk '/^startup_ms/ { ms = $2 } /^maxrss_kb/ { kb = $2 } /^phase/ { at[$2] = $3 }
         END { if (ms == "" || kb == "") exit 1
               print ms, kb, (at["Form6"] == "" ? ms : at["Form6"]), at["application"] + 0 }' <<<"$out" \
        || { echo "$program reported nothing" >&2; exit 1; }
}

scenarios=(refused bare silent)
for scenario in refused bare; do warm=$(run_once "$scenario"); done # cold caches paid by neither
for ((i = 1; i <= runs; i++)); do
    for scenario in "${scenarios[@]}"; do
        echo "$scenario $(run_once "$scenario")" >>"$results"
    done
done

median() { # scenario, awk expression over its row's columns
    awk -v p="$1" '$1 == p { print '"$2"' }' "$results" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

awk -v rb="$(median refused '$4')" -v rm="$(median refused '$2')" -v rk="$(median refused '$3')" \
    -v sb="$(median silent '$4')" -v sm="$(median silent '$2')" -v sk="$(median silent '$3')" \
    -v bm="$(median bare '$2')" -v bk="$(median bare '$3')" -v n="$runs" 'BEGIN {
    printf "medians of %d runs, ms since exec    %12s %12s %10s\n", n, "banner frame", "main frame", "peak RSS"
    printf "%-34s %12.1f %12.1f %7.1f MB\n", "Telimer, server refused", rb, rm, rk / 1024
    printf "%-34s %12.1f %12.1f %7.1f MB\n", "Telimer, server silent", sb, sm, sk / 1024
    printf "%-34s %12.1f %12s %7.1f MB\n", "bare Qt window, 27 widgets", bm, "-", bk / 1024
    printf "%-34s %11.2fx %12s %9.2fx\n", "refused / bare", rb / bm, "", rk / bk
    printf "%-34s %11.2fx %12s %9.2fx\n", "silent / bare", sb / bm, "", sk / bk
}'
