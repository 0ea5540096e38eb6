#!/usr/bin/env bash
# Reads the real program's windows as a screen reader does: on a virtual X server, with a
# private D-Bus session and its own accessibility bus, through AT-SPI. The downloads are sent
# to a refused local port so that the banner hands over quickly.
#
# usage: accessibility.sh <telimer> <checker.py>
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  exec xvfb-run -a --server-args="-screen 0 1280x800x24 -noreset" dbus-run-session -- bash "$0" --inside "$@"
fi
shift
program=$1 checker=$2

python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "FAIL: no Python with pyatspi (Debian: python3-pyatspi)" >&2; exit 1; }

work=$(mktemp -d)
app_pid="" bus_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!

mkdir -p "$work/app"
cp "$program" "$work/app/telimer"
# Whatever the caller's environment says, the program runs on X with its accessibility on.
env QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=cs_CZ.UTF-8 \
  http_proxy="http://127.0.0.1:9" HTTP_PROXY="" no_proxy="" NO_PROXY="" \
  "$work/app/telimer" >"$work/program.log" 2>&1 &
app_pid=$!

if ! "$python" "$checker" "$app_pid"; then
  echo "--- program output" >&2
  cat "$work/program.log" >&2 || true
  exit 1
fi
