#!/usr/bin/env bash
# The fault matrix: the real executable, each time copied into a fresh folder and started on its
# own virtual X server, against a loopback proxy that misbehaves in one named way, or with a
# hostile folder around it. For every case the banner must show within 12 s, the main window
# follow, the About window open within 6 s (showing hostile descriptor text literally; a case of
# a slow server may allow About longer), peak memory stay under 80 MB, nothing be launched, the
# program end within 1.5 s with status 0 when its main window closes (a case that ends it early
# expects its own status), and nothing of its own be left in its folder. Two cases run at a time; a table of the measurements ends the run.
#
# usage: fault_matrix.sh <telimer> <fake_maker_server> <close_window> <result folder> [case...]
#        fault_matrix.sh --case <name> <telimer> <fake_maker_server> <close_window> <result folder>
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
source "$here/fault_cases.sh"

BannerLimitS=12
AboutLimitS=6
PeakLimitKb=$((80 * 1024))
RunawayMb=600

table_row() { printf '%-25s %9s %9s %9s %9s %9s %-14s %s\n' "$@"; }

if [ "${1:-}" != --case ]; then
  program=$1 fake_maker_server=$2 close_window=$3 results=$4
  shift 4
  mkdir -p "$results"
  rm -f "$results"/*.row "$results"/*.log "$results"/*.png
  if (($# > 0)); then cases=("$@"); else mapfile -t cases < <(all_cases); fi
  started=$SECONDS
  printf '%s\n' "${cases[@]}" |
    xargs -P 2 -I{} bash "$0" --case {} "$program" "$fake_maker_server" "$close_window" "$results"
  # A program that another process ended (on a shared machine, a kill by name) says nothing
  # about the case: it runs once more, its first log kept.
  for name in "${cases[@]}"; do
    grep -q 'from outside' "$results/$name.row" 2>/dev/null || continue
    echo "$name: its program was ended from outside; once more"
    mv "$results/$name.log" "$results/$name.first.log"
    bash "$0" --case "$name" "$program" "$fake_maker_server" "$close_window" "$results"
  done
  table_row case banner_s main_s about_s end_s peak_MB files_left result
  failed=0 skipped=()
  for name in "${cases[@]}"; do
    row="$results/$name.row"
    if [ -f "$row" ]; then cat "$row"; else printf '%-16s no result\n' "$name"; fi
    grep -qE ' (PASS|SKIP: .*)$' "$row" 2>/dev/null || failed=$((failed + 1))
    grep -q ' SKIP: ' "$row" 2>/dev/null && skipped+=("$name ($(sed 's/.* SKIP: //' "$row"))")
  done
  echo "${#cases[@]} cases in $((SECONDS - started)) s, $failed failed, ${#skipped[@]} skipped$(
    ((${#skipped[@]})) && printf ': %s' "$(IFS=';'; echo "${skipped[*]}")"); logs and screenshots in $results"
  ((failed == 0))
  exit
fi

# --- one case ---------------------------------------------------------------------------------
name=$2 program=$3 fake_maker_server=$4 close_window=$5 results=$6
exec 2>"$results/$name.stderr"
work=$(mktemp -d)
chmod 711 "$work"
app="$work/app"
app_pid="" server_pid="" xvfb_pid="" mounted="" helper_pid=""
problems=()
banner_s=- main_s=- about_s=- end_s=- peak=- left=-

cleanup() {
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
  stop_server
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$helper_pid" ] && kill "$helper_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$mounted" ] && umount "$mounted"
  chmod -R u+rwX "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

problem() { problems+=("$*"); }
seconds_since() { local ms=$((${2:-$(now_ms)} - $1)); printf '%d.%01d' $((ms / 1000)) $((ms % 1000 / 100)); }
# Waits for a window as wait_for does; it appeared after missed_ms (last looked for in vain) and
# by seen_ms. Bounds take the first: looking takes its own time on a busy machine.
wait_shown() {
  local end=$((SECONDS + $1))
  missed_ms=$(now_ms)
  until window_shown "$2"; do
    missed_ms=$(now_ms)
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
  seen_ms=$(now_ms)
}
over() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

finish() {
  stop_server
  local result=PASS
  ((${#problems[@]} == 0)) || result="FAIL: $(IFS=';'; echo "${problems[*]}")"
  table_row "$name" "$banner_s" "$main_s" "$about_s" "$end_s" "$peak" "${left:-none}" "$result" \
    >"$results/$name.row"
  {
    echo "== $name: $result"
    echo "-- program output"
    cat "$work/program.log" 2>/dev/null
    echo "-- server"
    cat "$work/server.log" 2>/dev/null
  } >"$results/$name.log"
  exit 0
}

# The case's own display, numbered by the server itself so that parallel cases never collide.
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/displayfd" 2>/dev/null &
xvfb_pid=$!
read -r -t 20 display_number <"$work/displayfd" || { problem "Xvfb did not start"; finish; }
export DISPLAY=":$display_number"

# Whatever the program tries to launch is recorded, never started.
mkdir -p "$work/bin" "$work/home" "$work/cache" "$work/outside" "$work/cwd"
: >"$work/launched"
chmod 666 "$work/launched"
for launcher in xdg-open gio kde-open kde-open5 x-www-browser sensible-browser www-browser; do
  printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$launcher" "$work/launched" >"$work/bin/$launcher"
  chmod 755 "$work/bin/$launcher"
done

fault=good runner=() owner="" SKIPPED="" direct="" expected_status="" about_limit=""
prepare_case "$name" || { problem "unknown case"; finish; }
if [ -n "$SKIPPED" ]; then
  table_row "$name" - - - - - - "SKIP: $SKIPPED" >"$results/$name.row"
  exit 0
fi
mkdir -p "$app"
[ -e "$app/telimer" ] || cp "$program" "$app/telimer"
seeded=$(cd "$app" && for entry in * .[!.]*; do [ -e "$entry" ] || [ -L "$entry" ] && [ "$entry" != telimer ] &&
  printf '%s\t%s\n' "$entry" "$(stat -c %F "$entry")"; done)
[ -z "$owner" ] || chown -R "$owner" "$work/home" "$work/cache" "$work/cwd"

start_server "$work/server.log" --fault "$fault" || { problem "no server for $fault"; finish; }

# A direct case names no proxy, so the program looks the maker's host up itself.
proxy=$(proxy_environment "$server_port")
[ -z "$direct" ] || proxy=${proxy/http_proxy=http:\/\/127.0.0.1:$server_port/http_proxy=}
started=$(now_ms)
(cd "$work/cwd" && exec env PATH="$work/bin:$PATH" HOME="$work/home" XDG_CACHE_HOME="$work/cache" \
  QT_QPA_PLATFORM=xcb $proxy "${runner[@]}" "$app/telimer") \
  >"$work/program.log" 2>&1 &
app_pid=$!

# Peak memory as the kernel counts it; read while the program still runs.
peak_now() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$app_pid/status" 2>/dev/null; }

# A program that runs away with memory is stopped long before it can trouble the machine.
(
  while kill -0 "$app_pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ { print int($2 / 1024) }' "/proc/$app_pid/status" 2>/dev/null)
    if ((${rss:-0} > RunawayMb)); then
      echo "$rss" >"$work/killed"
      kill -9 "$app_pid"
    fi
    sleep 0.2
  done
) &

if [ -n "$expected_status" ]; then
  step ends_early "$name"
elif wait_shown 45 Form6; then
  banner_s=$(seconds_since "$started" "$seen_ms")
  late=$(seconds_since "$started" "$missed_ms")
  over "$late" $BannerLimitS && problem "banner after ${late}s"
  during_banner "$name"
else
  problem "no banner (program $(program_ended && echo ended || echo hangs))"
fi

main_window=""
if [ -z "$expected_status" ] && wait_shown 30 Telimer; then
  main_s=$(seconds_since "$started" "$seen_ms")
  main_window=$(visible_window Telimer)
elif [ "$banner_s" != - ]; then
  problem "no main window"
fi

if [ -n "$main_window" ]; then
  click_at "$main_window" "${about_button[@]}"
  clicked=$(now_ms)
  if wait_shown 45 About; then
    about_s=$(seconds_since "$clicked" "$seen_ms")
    late=$(seconds_since "$clicked" "$missed_ms")
    over "$late" "${about_limit:-$AboutLimitS}" && problem "About after ${late}s"
    about=$(visible_window About)
    sleep 0.3
    check_about "$name" "$about"
    "$close_window" "$about"
    wait_for 10 window_gone About || problem "About did not close"
  else
    problem "no About window"
  fi
  peak=$(peak_now)
  [ -n "$peak" ] && over "$peak" $((PeakLimitKb / 1024)) && problem "peak ${peak} MB"
  "$close_window" "$main_window"
  closed=$(now_ms)
fi

if wait_for 10 program_ended; then
  # Closing the last window ends the program at once, whatever a download left running.
  if [ -n "${closed:-}" ]; then
    end_s=$(seconds_since "$closed")
    over "$end_s" 1.5 && problem "ended ${end_s}s after the close"
  fi
  wait "$app_pid"
  status=$?
  app_pid=""
  if [ -s "$work/killed" ]; then
    problem "killed at $(cat "$work/killed") MB"
  elif [ -z "$expected_status" ] && ((status == 129 || status == 130 || status == 143)); then
    problem "ended by SIG$(kill -l "$status") from outside"
  elif ((status != ${expected_status:-0})); then
    problem "exit status $status"
  fi
else
  problem "still running at the end"
  peak=$(peak_now)
  kill -9 "$app_pid"
  wait "$app_pid"
  app_pid=""
fi

# Left behind: new entries, and planted ones whose kind changed (a link become a file).
left=$( (cd "$app" 2>/dev/null && for entry in * .[!.]*; do
  [ -e "$entry" ] || [ -L "$entry" ] || continue
  [ "$entry" = telimer ] && continue
  kind=$(stat -c %F "$entry")
  grep -qxF "$entry	$kind" <<<"$seeded" || printf '%s,' "$entry"
done); cd "$work/cache" && find . -mindepth 1 -not -type d -printf 'cache/%P,')
left=${left%,}
[ -z "$left" ] || problem "left $left"
[ -s "$work/launched" ] && problem "launched: $(head -c 200 "$work/launched" | tr '\n' ' ')"
verify_case "$name"
finish
