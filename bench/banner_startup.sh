#!/usr/bin/env bash
# Start-up of Telimer's banner, from process start to its first frame on screen, with the maker's
# server refused (the proxy setting points at a closed loopback port) and answering (a local
# server that plays the maker's), against a bare banner-sized Qt window and the bare Qt program
# of the main window's start-up benchmark; all run alternately under one private Xvfb -noreset.
# Prints the medians and the banner's ratios to the bare programs.
#
# usage: bench/banner_startup.sh [RUNS]        (RUNS defaults to 20)
# BUILD_DIR picks the build folder (default: build-bench next to this folder); it needs the
# bench targets and fake_maker_server.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-20}
build=${BUILD_DIR:-$here/../build-bench}
launch=$build/bench/bench_launch
server=$build/tests/online/fake_maker_server
for exe in "$launch" "$server" "$build"/bench/{bench_banner_startup,bench_bare_banner,bench_startup_bare}; do
    [[ -x $exe ]] || { echo "missing $exe: build the bench targets and fake_maker_server in $build first" >&2; exit 1; }
done

source "$here/XvfbSession.sh"
start_xvfb
echo "Xvfb on $DISPLAY, $runs runs each, alternating"

make_work_folder bench_banner_startup bench_bare_banner bench_startup_bare
mkdir -p "$work/site/pic"
printf '[Update]\r\n58211=Stav;vexa.example/telimer;1;http://www.vexa.example/akce\r\n' >"$work/site/update.txt"
convert -size 468x60 xc:'#1f5fbf' BMP3:"$work/site/pic/reklama_telimer.bmp"
start_maker_server "$work/site"
port=$server_port
closed=$(closed_port)

# Prints the milliseconds of one run of a scenario.
run_once() {
    local proxy=$1 program=$2 out
    rm -f "$work/bin/version" "$work/bin/reklama.bmp"
    out=$(http_proxy=$proxy no_proxy="" HTTP_PROXY="" NO_PROXY="" "$launch" "$work/bin/$program" 2>/dev/null)
    awk '/^startup_ms/ { ms = $2 } END { if (ms == "") exit 1; print ms }' <<<"$out" \
        || { echo "$program reported nothing" >&2; exit 1; }
}

scenarios=(refused answering bare_banner bare_widgets)
run_scenario() {
    case $1 in
    refused) run_once "http://127.0.0.1:$closed" bench_banner_startup ;;
    answering) run_once "http://127.0.0.1:$port" bench_banner_startup ;;
    bare_banner) run_once "" bench_bare_banner ;;
    bare_widgets) run_once "" bench_startup_bare ;;
    esac
}

results=$work/results
for scenario in "${scenarios[@]}"; do run_scenario "$scenario" >/dev/null; done # warm the caches
for ((i = 1; i <= runs; i++)); do
    for scenario in "${scenarios[@]}"; do
        echo "$scenario $(run_scenario "$scenario")" >>"$results"
    done
done

median() {
    awk -v s="$1" '$1 == s { print $2 }' "$results" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

awk -v r="$(median refused)" -v a="$(median answering)" -v b="$(median bare_banner)" \
    -v w="$(median bare_widgets)" -v n="$runs" 'BEGIN {
    printf "median of %d runs, process start to first frame\n", n
    printf "  %-40s %8.1f ms  (goal 150 ms)  %5.2fx bare banner  %5.2fx bare widgets\n", "banner, server refused", r, r / b, r / w
    printf "  %-40s %8.1f ms  (goal 250 ms)  %5.2fx bare banner  %5.2fx bare widgets\n", "banner, server answering", a, a / b, a / w
    printf "  %-40s %8.1f ms\n", "bare Qt banner window", b
    printf "  %-40s %8.1f ms\n", "bare Qt window with 27 widgets", w
}'
