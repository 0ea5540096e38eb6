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
