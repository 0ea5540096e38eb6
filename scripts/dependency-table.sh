#!/usr/bin/env bash
# Prints the README's dependency table, written from the package lines of install-deps.sh and
# their comments. `--check` fails, showing the difference, when the README's table is not that.
set -euo pipefail
cd "$(dirname "$0")/.."

table() {
  printf '| Package | Why |\n|---|---|\n'
  # A line inside `packages=(` or `packages+=(` (the Windows additions) lists packages, then `#`
  # and their reason.
  awk '
    /^ *packages=\($/ { list = "base"; next }
    /^ *packages\+=\($/ { list = "windows"; next }
    /^ *\)$/ { list = ""; next }
    list != "" && /#/ {
      names = substr($0, 1, index($0, "#") - 1)
      why = substr($0, index($0, "#") + 1)
      gsub(/^ +| +$/, "", names)
      gsub(/ +/, ", ", names)
      sub(/^ +/, "", why)
      if (list == "windows")
        why = "only for the Windows build (`install-deps.sh --windows`): " why
      printf "| %s | %s |\n", names, why
    }' scripts/install-deps.sh
}

if [ "${1:-}" = --check ]; then
  # The table follows the README's heading of the dependencies.
  diff -u <(table) <(awk '/^## Dependencies/ { found = 1; next } found && /^\|/ { print; seen = 1; next } seen { exit }' README.md) \
    --label "written from scripts/install-deps.sh" --label README.md
else
  table
fi
