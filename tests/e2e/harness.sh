# Shared by the end-to-end scripts: a private X server, the real program on
# it with its test state file, and ways to read that file. Source it after
# `set -euo pipefail`; it sets $work, $DISPLAY, $app_pid and $window.
#
#   start_program <path to tonpara>   start_display, then start_app
#   start_display               a private X server with key auto-repeat on
#   start_app <path to tonpara> the program, until its window is activated
#   value NAME                  the named entry of the state file
#   wait_for NAME VALUE [SEC]   until the state file shows it (default 20 s)
#   fail MESSAGE                print the message and the state file, exit 1
#   extra_pids                  further processes for cleanup to end

work=$(mktemp -d)
xvfb_pid="" app_pid="" extra_pids=""
cleanup() {
    for pid in $extra_pids $app_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [[ -f $work/state ]] && cat "$work/state" >&2; exit 1; }

value() { sed -n "s/^$1=//p" "$work/state" 2>/dev/null; }

wait_for() {
    local tenths=$((${3:-20} * 10))
    for _ in $(seq "$tenths"); do
        [[ "$(value "$1")" == "$2" ]] && return 0
        sleep 0.1
    done
    fail "$1 never became $2 (is $(value "$1"))"
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_display() {
    # A free display, chosen by the server itself.
    # -noreset: by default the server resets when its last client leaves, and
    # a client connecting during the reset (right after xset) is refused.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    [[ -s $work/display ]] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
    xset r on
}

start_app() {
    TONPARA_TEST_STATE_FILE="$work/state" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$1" &
    app_pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Tonpara$' | head -n1)
    [[ -n $window ]] || fail "no window"
    wait_for activations 1
}

start_program() {
    start_display
    start_app "$1"
}

# Waits up to 10 s for the program to end and fails unless its exit code is 0.
expect_clean_exit() {
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app_pid" 2>/dev/null && fail "still running after $1"
    local status
    set +e
    wait "$app_pid"
    status=$?
    set -e
    app_pid=""
    [[ $status == 0 ]] || fail "exit code $status after $1"
}
