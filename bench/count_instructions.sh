#!/usr/bin/env bash
# Instructions from process start to the first frame (the programs quit there), counted by
# callgrind, which gives the same count on a busy machine: Telimer's banner with the maker's
# server refused, against the bare banner-sized window and the bare window with 27 widgets.
#
# usage: bench/count_instructions.sh
# BUILD_DIR picks the build folder (default: build-bench next to this folder).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD_DIR:-$here/../build-bench}
programs=(bench_banner_startup bench_bare_banner bench_startup_bare)
for program in "${programs[@]}"; do
    [[ -x $build/bench/$program ]] || { echo "missing $build/bench/$program: build the bench targets first" >&2; exit 1; }
done
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }

source "$here/XvfbSession.sh"
start_xvfb
make_work_folder "${programs[@]}"
closed=$(closed_port)

count() {
    http_proxy=http://127.0.0.1:$closed no_proxy="" HTTP_PROXY="" NO_PROXY="" \
        valgrind --tool=callgrind --callgrind-out-file="$work/$1.out" "$work/bin/$1" >/dev/null 2>"$work/$1.log"
    awk '/^summary:/ { print $2 }' "$work/$1.out"
}

banner=$(count bench_banner_startup)
bare_banner=$(count bench_bare_banner)
bare_widgets=$(count bench_startup_bare)
awk -v t="$banner" -v b="$bare_banner" -v w="$bare_widgets" 'BEGIN {
    printf "instructions to the first frame\n"
    printf "  %-34s %8.1f M  %5.2fx bare banner  %5.2fx bare widgets\n", "banner, server refused", t / 1e6, t / b, t / w
    printf "  %-34s %8.1f M\n", "bare Qt banner window", b / 1e6
    printf "  %-34s %8.1f M\n", "bare Qt window with 27 widgets", w / 1e6
}'
