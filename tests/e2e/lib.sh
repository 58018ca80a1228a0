# Shared helpers of the end-to-end tests: a private virtual display, window look-up, screenshots, pixels.
set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_XVFB_PID=""
E2E_APP_PID=""

e2e_cleanup() {
    [ -n "$E2E_APP_PID" ] && kill "$E2E_APP_PID" 2>/dev/null || true
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts a virtual display of its own, with a white root so that a black window stands out, and exports
# DISPLAY.
start_display() {
    exec 3>"$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -wr -nolisten tcp >/dev/null 2>&1 &
    E2E_XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$E2E_TMP/display" ] && break
        sleep 0.1
    done
    [ -s "$E2E_TMP/display" ] || fail "the virtual display did not start"
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Starts the program in the background.
start_program() {
    "$@" >"$E2E_TMP/program.log" 2>&1 &
    E2E_APP_PID=$!
}

# Waits up to $2 seconds (default 10) for a visible window whose name matches $1; prints its id.
wait_for_window() {
    local name=$1 seconds=${2:-10} id=""
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the program to end and leaves its exit code in E2E_EXIT_CODE. Runs in this
# shell, not in a subshell, since only the program's parent can collect its exit code.
wait_for_exit() {
    local seconds=$1
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$E2E_APP_PID" 2>/dev/null; then
            E2E_EXIT_CODE=0
            wait "$E2E_APP_PID" || E2E_EXIT_CODE=$?
            E2E_APP_PID=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

screenshot() {
    import -window root "$1"
}

# Prints the colour of pixel (x, y) of a PNG as RRGGBB.
pixel() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# Takes screenshots into $1 until pixel ($2, $3) is (op "=") or is not (op "!=") the colour $5 (RRGGBB),
# for up to 10 seconds.
wait_for_pixel() {
    local shot=$1 x=$2 y=$3 op=$4 colour=$5
    for _ in $(seq 50); do
        screenshot "$shot"
        [ "$(pixel "$shot" "$x" "$y")" "$op" "$colour" ] && return 0
        sleep 0.2
    done
    return 1
}
