#!/usr/bin/env bash
# Installs what is missing, builds and starts Telimer. Without any display it starts the
# program on a virtual X server instead, saves a screenshot of each window that is open once
# start-up is over, says where, and ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
program="$PWD/build/src/telimer"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

shots="$PWD/screenshots"
mkdir -p "$shots"
rm -f "$shots"/*.png
export SETTLE_SECONDS="${SETTLE_SECONDS:-8}"
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24 -noreset" \
  bash scripts/screenshots.sh "$program" "$shots"
echo "No display found: Telimer ran on a virtual X server; screenshots are in $shots"
ls -1 "$shots"
