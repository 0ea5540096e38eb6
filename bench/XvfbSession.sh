# Sourced by the run scripts: starts a private Xvfb on a free display and stops it on exit.
# -noreset keeps the server from resetting between clients, which would slow every run after
# the first; -displayfd lets the server pick a free display and say when it is ready.

start_xvfb() {
    local ready
    ready=$(mktemp)
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$ready" 2>/dev/null &
    XVFB_PID=$!
    trap stop_xvfb EXIT
    for _ in $(seq 100); do
        [[ -s $ready ]] && break
        kill -0 "$XVFB_PID" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    [[ -s $ready ]] || { echo "Xvfb did not become ready" >&2; exit 1; }
    export DISPLAY=":$(tr -d '[:space:]' <"$ready")"
    rm -f "$ready"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

stop_xvfb() {
    if [[ -n ${XVFB_PID:-} ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# A folder of the run's own, with the named bench programs of $build copied into its bin/ (a
# program's downloads go beside its executable); removed, with the server and the Xvfb, on exit.
make_work_folder() {
    work=$(mktemp -d)
    mkdir -p "$work/bin"
    local program
    for program in "$@"; do cp "$build/bench/$program" "$work/bin/"; done
    trap 'end_session' EXIT
}

# Starts $server (the fake maker's server) with the given arguments; sets server_port.
start_maker_server() {
    coproc SERVER { exec "$server" "$@" 2>/dev/null; }
    server_pid=$SERVER_PID
    read -r -t 30 server_port <&"${SERVER[0]}" || { echo "the fake maker's server gave no port" >&2; exit 1; }
}

# A loopback port nobody listens on: a proxy setting naming it refuses every download at once.
closed_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

end_session() {
    [[ -n ${server_pid:-} ]] && kill "$server_pid" 2>/dev/null || true
    [[ -n ${work:-} ]] && rm -rf "$work"
    stop_xvfb
}
