# Shell functions shared by the system tests that drive the real executable on a virtual X
# server. Sourced, not run; the caller sets `app_pid` for program_ended.

# Polls a command until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
}

# Milliseconds since the epoch, from bash's own clock.
now_ms() {
  local t=${EPOCHREALTIME/[.,]/}
  echo $((t / 1000))
}

# X clients get a few seconds each: a program that hangs must not hang its test.
xdotool() { timeout 5 env xdotool "$@"; }

visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(visible_window "$1")" ]; }
window_gone() { ! window_shown "$1"; }
geometry_of() { timeout 5 xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
  /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'; }
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

# Clicks at a pixel of a window's client area.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3"
  xdotool click 1
}

# Where the main window's picture buttons sit (client pixels, centres).
about_button=(152 312)

# Starts the fake maker's server as a coprocess (its standard input held open by us; closing it
# ends the server) and sets server_pid and server_port. Arguments go to the server.
start_server() {
  local log=$1
  shift
  coproc SERVER { exec "$fake_maker_server" "$@" 2>"$log"; }
  server_pid=$SERVER_PID
  read -r -t 30 server_port <&"${SERVER[0]}"
}

# Closes the server's standard input and waits for it, so that its request list is in its log.
stop_server() {
  [ -n "${server_pid:-}" ] || return 0
  eval "exec ${SERVER[1]}>&-"
  wait "$server_pid" 2>/dev/null || true
  server_pid=""
}

# The proxy settings that carry the program's requests to a loopback port and nowhere else.
proxy_environment() {
  echo "http_proxy=http://127.0.0.1:$1" "no_proxy=" "HTTP_PROXY=" "NO_PROXY=" "all_proxy=" "ALL_PROXY="
}
