#!/usr/bin/env bash
# Closing the start-up banner from the desktop, before its time is up, ends the real program
# with status 0 and removes the files it downloaded. The downloads go to a refused local port;
# files left from an earlier run stand in for them, as the program uses those the same way.
#
# usage: banner_closed.sh <telimer> <close_window>
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  exec xvfb-run -a --server-args="-screen 0 1280x800x24 -noreset" bash "$0" --inside "$@"
fi
shift
program=$1 close_window=$2

work=$(mktemp -d)
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$program" "$work/telimer"
touch "$work/version" "$work/reklama.bmp"
env QT_QPA_PLATFORM=xcb http_proxy="http://127.0.0.1:9" HTTP_PROXY="" no_proxy="" NO_PROXY="" \
  "$work/telimer" >"$work/program.log" 2>&1 &
app_pid=$!

banner=""
for _ in $(seq 200); do
  banner=$(xdotool search --onlyvisible --name '^Form6$' 2>/dev/null | head -n 1) || true
  [ -n "$banner" ] && break
  sleep 0.05
done
[ -n "$banner" ] || fail "no banner window"
"$close_window" "$banner"

# Well before the banner's five seconds would have handed over to the main window.
for _ in $(seq 40); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$app_pid" 2>/dev/null && fail "the program went on after its banner was closed"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
left=$(ls -1 "$work" | grep -v -e '^telimer$' -e '^program.log$' | tr '\n' ' ' || true)
[ -z "$left" ] || fail "files left beside the program: $left"
echo PASS
