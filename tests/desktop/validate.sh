#!/usr/bin/env bash
# Validates a generated file the way desktop shells and software centres read it: the desktop
# entry must draw no remark at all (hints included), the metainfo no error and no warning.
#
# usage: validate.sh entry <file.desktop> | metainfo <file.metainfo.xml>
set -uo pipefail

kind=$1 file=$2
case $kind in
entry)
  out=$(desktop-file-validate "$file" 2>&1)
  status=$?
  printf '%s\n' "$out"
  [ "$status" -eq 0 ] && [ -z "$out" ]
  ;;
metainfo)
  out=$(appstreamcli validate --no-net "$file" 2>&1)
  status=$?
  printf '%s\n' "$out"
  [ "$status" -eq 0 ] && ! grep -qE '^[EW]:' <<<"$out"
  ;;
*)
  echo "usage: validate.sh entry|metainfo <file>" >&2
  exit 2
  ;;
esac
