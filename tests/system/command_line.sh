#!/usr/bin/env bash
# --version and --help answer and end with status 0 without any display: no DISPLAY or
# WAYLAND_DISPLAY, with the Qt platform unset, set to xcb, or given as Qt's own option. They
# print nothing on the error stream, so no part of Qt has started. A full output stream is a
# failure, not a printed answer.
#
# usage: command_line.sh <telimer> <product name> <version>
set -uo pipefail

program=$1 product=$2 version=$3
failures=0
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# name | environment change | arguments | text the first lines must hold
cases=(
  "version, platform unset|-u QT_QPA_PLATFORM|--version|$product, verze $version"
  "version, platform xcb|QT_QPA_PLATFORM=xcb|--version|$product, verze $version"
  "version after a Qt option|-u QT_QPA_PLATFORM|-platform xcb --version|$product, verze $version"
  "help, platform unset|-u QT_QPA_PLATFORM|--help|Použití: telimer"
  "help, platform xcb|QT_QPA_PLATFORM=xcb|--help|Použití: telimer"
  "short help|-u QT_QPA_PLATFORM|-h|Použití: telimer"
  "help after another argument|QT_QPA_PLATFORM=xcb|--something --help|Použití: telimer"
)

for row in "${cases[@]}"; do
  IFS='|' read -r name change args expected <<<"$row"
  # shellcheck disable=SC2086 # the change and the arguments are word lists
  timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY $change "$program" $args >"$out" 2>"$err"
  status=$?
  if [ "$status" -ne 0 ] || ! grep -qF "$expected" "$out" || [ -s "$err" ]; then
    echo "FAIL: $name: status $status" >&2
    cat "$out" "$err" >&2
    failures=$((failures + 1))
  fi
done

if [ -w /dev/full ]; then
  if env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version >/dev/full 2>/dev/null; then
    echo "FAIL: --version into a full stream ended with status 0" >&2
    failures=$((failures + 1))
  fi
fi

echo "$(( ${#cases[@]} - failures )) of ${#cases[@]} argument cases answered"
[ "$failures" -eq 0 ]
