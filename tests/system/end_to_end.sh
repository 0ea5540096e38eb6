#!/usr/bin/env bash
# Runs the real executable from a temporary folder on a virtual X server, with the proxy setting
# pointing at a local server that plays the maker's: the banner shows and its files appear, the
# main window follows after about five seconds and the files are gone, the picture buttons open
# their windows, the About window downloads the descriptor and removes it again, and closing the
# main window ends the program without leaving a file. Screenshots of each stage are kept.
#
# usage: end_to_end.sh <telimer> <fake_maker_server> <close_window> <screenshot folder>
set -euo pipefail

# The windows are looked for, clicked and measured on the X server, in its pixels: whatever
# platform or scale the calling environment asks Qt for, the program runs on X at scale 1.
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING

if [ "${1:-}" != --inside ]; then
  exec xvfb-run -a --server-args="-screen 0 1280x800x24 -noreset" bash "$0" --inside "$@"
fi
shift
program=$1 fake_maker_server=$2 close_window=$3 shots=$4
source "$(dirname "$0")/common.sh"

work=$(mktemp -d)
app_pid="" server_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- program output" >&2
  cat "$work/program.log" >&2 || true
  exit 1
}

shot() { import -window root "$shots/$1.png"; }
files_beside_program() { ls -1 "$work/app" | grep -v '^telimer$' | tr '\n' ' ' || true; }
has_file() { [ -f "$work/app/$1" ]; }
has_no_file() { [ ! -e "$work/app/$1" ]; }

mkdir -p "$shots" "$work/app" "$work/site/pic"
rm -f "$shots"/*.png
cp "$program" "$work/app/telimer"
printf '[Update]\r\n58211=Je k dispozici nová verze 1.2;vexa.example/telimer;1;http://www.vexa.example/akce\r\n' \
  >"$work/site/update.txt"
convert -size 468x60 xc:'#1f5fbf' -fill '#ffd800' -draw 'rectangle 8,8 180,51' \
  BMP3:"$work/site/pic/reklama_telimer.bmp"

start_server "$work/server.log" "$work/site" || fail "the fake maker's server gave no port"

echo "start-up through the banner"
env $(proxy_environment "$server_port") "$work/app/telimer" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for 20 window_shown Form6 || fail "no banner window"
banner=$(visible_window Form6)
banner_shown_at=$SECONDS
geometry=$(geometry_of "$banner")
[ "$geometry" = "468x60+406+370" ] || fail "banner geometry $geometry, expected 468x60 centred (+406+370)"
has_file version || fail "no version beside the program while the banner shows"
has_file reklama.bmp || fail "no reklama.bmp beside the program while the banner shows"
shot 1-banner

echo "hand-over to the main window"
wait_for 20 window_shown Telimer || fail "the main window did not follow the banner"
waited=$((SECONDS - banner_shown_at))
((waited >= 4)) || fail "the banner went after $waited s, expected about five"
wait_for 5 window_gone Form6 || fail "the banner stayed after the hand-over"
main=$(visible_window Telimer)
geometry=$(geometry_of "$main")
[ "${geometry%%+*}" = "640x375" ] || fail "main window geometry $geometry, expected 640x375"
left=$(files_beside_program)
[ -z "$left" ] || fail "files left beside the program after the banner: $left"
shot 2-main-window

echo "picture buttons"
# Without a window manager every new window opens at the screen's corner, over the main
# window's buttons; each one is moved aside once it is there.
open_by_click() {
  local x=$1 y=$2 title=$3 to_x=$4 to_y=$5
  click_at "$main" "$x" "$y"
  wait_for 10 window_shown "$title" || fail "no window $title after a click at $x,$y"
  xdotool windowmove "$(visible_window "$title")" "$to_x" "$to_y"
}
open_by_click $((48 + 27)) $((184 + 30)) "Hmotnost u mužů a žen" 650 0
open_by_click $((208 + 27)) $((184 + 30)) "Hmotnost podle výšky" 0 390
open_by_click $((40 + 16)) $((296 + 16)) "Nápověda" 820 380
shot 3-reference-windows

echo "About window"
click_at "$main" "${about_button[@]}"
wait_for 20 window_shown About || fail "Image5 did not open the About window"
has_file version || fail "the About window downloaded no version"
shot 4-about
"$close_window" "$(visible_window About)"
wait_for 10 window_gone About || fail "the About window did not close"
wait_for 5 has_no_file version || fail "closing the About window left version behind"

echo "closing the main window ends the program"
"$close_window" "$main"
wait_for 10 program_ended || fail "the program did not end when its main window closed"
wait "$app_pid" || fail "the program ended with status $?"
app_pid=""
left=$(files_beside_program)
[ -z "$left" ] || fail "files left beside the program at the end: $left"

# Closing its standard input ends the server, which then lists the requests it answered.
stop_server
for path in /pic/reklama_telimer.bmp /update.txt; do
  grep -qE "^GET http://[^/]+$path\$" "$work/server.log" || fail "the server was never asked for $path"
done
echo "PASS; screenshots in $shots"
