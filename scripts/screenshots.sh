#!/usr/bin/env bash
# Runs inside an X session: starts the program, waits until start-up is over and saves the
# whole screen and each mapped top-level window as PNG files.
set -euo pipefail
program="$1"
shots="$2"

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
sleep "${SETTLE_SECONDS:-8}"

import -window root "$shots/screen.png"
n=0
# Top-level windows that are mapped, with their titles; there is no window manager here.
while read -r id name; do
  n=$((n + 1))
  safe=$(printf '%s' "$name" | tr -c 'A-Za-z0-9' '_')
  import -window "$id" "$shots/window-$n-$safe.png"
done < <(xwininfo -root -children | awk '/^ +0x/ && $2 != "(has" && $0 !~ /has no name/ {
  id=$1; match($0, /"[^"]*"/); name=substr($0, RSTART+1, RLENGTH-2); print id, name }' |
  while read -r id name; do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' && printf '%s %s\n' "$id" "$name"
  done)
