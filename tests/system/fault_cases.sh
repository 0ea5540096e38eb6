# The cases of the fault matrix (sourced by fault_matrix.sh). The network cases are the fake
# maker's server's own faults (`fake_maker_server --list`); the folder cases below plant
# something hostile beside the program and talk to a well-behaved server, or to none when the
# planted file must be what the program reads. Each case may have prepare_*, during_banner_*,
# check_about_* and verify_* steps; they see $work, $app, $fault, $runner and call problem. A
# case whose prepare_* sets expected_status ends the program in its ends_early_* step instead.

folder_cases=(link_version link_banner dangling_link dir_version readonly_folder unreadable_file
  full_disk leftover_1g stale_temp non_utf8_folder silent_resolver negotiate_silent_resolver
  file_size_limit sigterm_download sigquit_download display_lost)

all_cases() {
  "$fake_maker_server" --list
  printf '%s\n' "${folder_cases[@]}"
}

# The program runs as an unprivileged user when the case needs permissions to bite on root.
as_nobody() {
  if ((EUID == 0)); then
    runner=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
    owner=65534
  fi
}

step() { declare -F "$1_$2" >/dev/null && "$1_$2" "${@:3}"; return 0; }

prepare_case() {
  if "$fake_maker_server" --list | grep -qxF "$1"; then
    fault=$1
    step prepare "$1"
  elif printf '%s\n' "${folder_cases[@]}" | grep -qxF "$1"; then
    step prepare "$1"
  else
    return 1
  fi
}
during_banner() { step during_banner "$1"; }
check_about() { step check_about "$1" "$2"; }
verify_case() { step verify "$1"; }

# --- folder cases --------------------------------------------------------------------------------

prepare_link_version() {
  mkdir -p "$app"
  printf 'not to be touched\n' >"$work/outside/target"
  ln -s "$work/outside/target" "$app/version"
}
verify_link_version() {
  [ "$(cat "$work/outside/target" 2>/dev/null)" = "not to be touched" ] || problem "link target changed"
}
prepare_link_banner() {
  mkdir -p "$app"
  printf 'not to be touched\n' >"$work/outside/target"
  ln -s "$work/outside/target" "$app/reklama.bmp"
}
verify_link_banner() { verify_link_version; }

prepare_dangling_link() {
  mkdir -p "$app"
  ln -s "$work/outside/absent" "$app/version"
}
verify_dangling_link() { [ ! -e "$work/outside/absent" ] || problem "a file appeared at the link's target"; }

prepare_dir_version() {
  mkdir -p "$app/version"
  printf 'kept\n' >"$app/version/inside"
}
verify_dir_version() {
  [ "$(cat "$app/version/inside" 2>/dev/null)" = kept ] || problem "the directory named version was changed"
}

prepare_readonly_folder() {
  mkdir -p "$app"
  cp "$program" "$app/telimer"
  if ((EUID == 0)); then as_nobody; else chmod a-w "$app"; fi
}

prepare_unreadable_file() {
  fault=refused
  mkdir -p "$app"
  printf '[Update]\r\n58211=secret;vexa.example/secret;1;http://www.vexa.example/secret\r\n' >"$app/version"
  chmod 600 "$app/version"
  if ((EUID == 0)); then as_nobody; else chmod 000 "$app/version"; fi
  chown "${owner:-$EUID}" "$app"
}

# A small file system of its own, filled to the last block, with an older descriptor on it.
prepare_full_disk() {
  ((EUID == 0)) || { SKIPPED="full disk needs root for its tmpfs"; return 0; }
  mkdir -p "$app"
  local size=$(($(stat -c %s "$program") + 256 * 1024))
  mount -t tmpfs -o "size=$size" tmpfs "$app" || { SKIPPED="cannot mount a tmpfs"; return 0; }
  mounted=$app
  cp "$program" "$app/telimer"
  printf '[Update]\r\n58211=older;vexa.example/older;1;\r\n' >"$app/version"
  dd if=/dev/zero of="$app/filler" bs=4k 2>/dev/null
}

prepare_leftover_1g() {
  fault=refused
  mkdir -p "$app"
  truncate -s 1G "$app/version"
}

prepare_stale_temp() {
  mkdir -p "$app"
  local stale
  for stale in version.AbC123 reklama.bmp.XyZ789 .version.tmp version~ .reklama.bmp.part; do
    printf 'stale\n' >"$app/$stale"
  done
}

prepare_non_utf8_folder() {
  app="$work/"$'\xff\xfe'
  mkdir -p "$app"
}
during_banner_non_utf8_folder() {
  local name
  for name in /version /reklama.bmp "$work/cwd/version" "$work/cwd/reklama.bmp"; do
    [ ! -e "$name" ] || problem "downloaded into $name"
  done
}
verify_non_utf8_folder() {
  [ -z "$(ls -A "$work/cwd")" ] || problem "files in the working folder"
}

# No proxy, and a name server that takes every question and never answers (a broken or captive
# network): the program must not wait for the system's resolver, which gives up only after ten
# seconds or more. The program sees its own /etc/resolv.conf in a mount namespace.
prepare_silent_resolver() {
  ((EUID == 0)) || { SKIPPED="a private resolv.conf needs root"; return 0; }
  # Root is not enough in a container: the mount namespace itself may be refused.
  unshare -m -- mount --bind /dev/null /dev/null 2>/dev/null ||
    { SKIPPED="no private mount namespace here, as in a container"; return 0; }
  local address=127.0.$((RANDOM % 200 + 20)).$((RANDOM % 200 + 20))
  timeout 120 /usr/bin/python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind((sys.argv[1], 53))
open(sys.argv[2], "w").close()
time.sleep(120)' "$address" "$work/resolver-ready" &
  helper_pid=$!
  wait_for 10 test -e "$work/resolver-ready" || { problem "no silent name server"; return 0; }
  printf 'nameserver %s\n' "$address" >"$work/resolv.conf"
  direct=1
  runner=(unshare -m -- sh -c 'mount --bind "$0" /etc/resolv.conf && exec "$@"' "$work/resolv.conf")
}

# A proxy that asks for Kerberos while names cannot be looked up: nothing may wait for either.
prepare_negotiate_silent_resolver() {
  prepare_silent_resolver
  fault=negotiate direct=""
}

# The banner is larger than the limit: its write is refused, and the download fails.
prepare_file_size_limit() { runner=(bash -c 'ulimit -f 64 && exec "$@"' bash); }

# Ended early, by the case itself: what the program downloaded goes with it.
prepare_sigterm_download() { fault=drip expected_status=143; }
ends_early_sigterm_download() {
  wait_for 20 compgen -G "$app/*.part" >/dev/null || problem "no download under way"
  kill -TERM "$app_pid"
}
# Ctrl+\ in the terminal that started it ends the program like SIGTERM.
# Started as from a terminal: a background job of a script would ignore SIGQUIT from the start.
prepare_sigquit_download() { fault=drip expected_status=131 runner=(env --default-signal=QUIT); }
ends_early_sigquit_download() {
  wait_for 20 compgen -G "$app/*.part" >/dev/null || problem "no download under way"
  kill -QUIT "$app_pid"
}
prepare_display_lost() { expected_status=1; }
ends_early_display_lost() {
  wait_for 45 window_shown Form6 && wait_for 10 test -f "$app/reklama.bmp" -a -f "$app/version" ||
    problem "no banner with its files"
  kill "$xvfb_pid" && wait "$xvfb_pid"
  xvfb_pid=""
}

# --- slow servers: each start-up download is cut within the start-up's one budget -------------

prepare_trickle() { about_limit=32; }
# About waits 15 s for an answer to begin, the start-up much less.
prepare_accept_stall() { about_limit=16; }
# About waits longer than the start-up for its answer to begin.
prepare_about_late() { about_limit=9; }
check_about_about_late() { over 6.5 "$about_s" && problem "About gave up at ${about_s}s, before the answer"; }

# --- banners -----------------------------------------------------------------------------------

# The served picture lost its first half in file order, which is its top half on the screen.
# When the bottom half shows as served, the top must be one plain colour: never leftover memory.
during_banner_bmp_truncated() {
  local shot="$results/$name.png" bottom top
  sleep 0.5
  timeout 10 import -window "$(visible_window Form6)" "$shot" 2>/dev/null || { problem "no picture of the banner"; return; }
  bottom=$(convert "$shot" -crop 468x30+0+30 +repage -unique-colors -format '%k %[pixel:p{0,0}]' info: 2>/dev/null)
  top=$(convert "$shot" -crop 468x30+0+0 +repage -format '%k' info: 2>/dev/null)
  if [ "$bottom" = "1 srgb(0,0,191)" ] && [ "$top" != 1 ]; then
    problem "the missing rows show $top colours"
  fi
}

# The banner that arrived slowly is the one shown, not the built-in one.
during_banner_slow_banner() {
  local shot="$results/$name.png" colours
  timeout 10 import -window "$(visible_window Form6)" "$shot" 2>/dev/null || { problem "no picture of the banner"; return; }
  colours=$(convert "$shot" -crop 400x40+30+10 +repage -unique-colors -format '%k %[pixel:p{0,0}]' info: 2>/dev/null)
  [ "$colours" = "1 srgb(0,0,191)" ] || problem "the banner shows $colours, not the served picture"
}

# --- hostile descriptors: the About window shows their text as it is -------------------------

# Field 0 is the About window's status line; as plain text its characters cover the line, as
# rich text the tags would vanish (or hang or abort the program). Field 1 is the version line's
# tooltip: resting the mouse on that line must bring up a tooltip, promptly, and no more.
check_about_literal() {
  local about=$1 shot="$results/$name.png" ink
  timeout 10 import -window "$about" "$shot" 2>/dev/null || { problem "no picture of About"; return; }
  # The status line's box in client pixels: 8,112 sized 297x37.
  ink=$(convert "$shot" -crop 297x37+8+112 +repage -fuzz 15% -trim -format '%w' info: 2>/dev/null)
  ((${ink:-0} >= 80)) || problem "status line ${ink:-0} px of text, tags taken as markup?"
  local before after tip
  before=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort)
  xdotool mousemove --window "$about" 40 214
  sleep 0.1
  xdotool mousemove --window "$about" 44 214
  if wait_for 5 tooltip_shown "$before"; then
    local width=${tooltip_geometry%%x*}
    ((width >= 150)) || problem "tooltip only ${width} px wide"
    timeout 10 import -window root "$results/$name-tooltip.png" 2>/dev/null
  else
    problem "no tooltip on the version line"
  fi
  xdotool mousemove --window "$about" 300 20
}
tooltip_shown() {
  tooltip=$(comm -13 <(echo "$1") <(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort) | head -n 1)
  [ -n "$tooltip" ] && tooltip_geometry=$(geometry_of "$tooltip")
}
check_about_desc_img_zero() { check_about_literal "$@"; }
check_about_desc_img_huge() { check_about_literal "$@"; }
check_about_desc_tables() { check_about_literal "$@"; }
