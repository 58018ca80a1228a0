# Helpers of the Wayland end-to-end tests: a private weston, the program on it, screenshots and the
# window's place found in them. Sourced after lib.sh.

# Starts weston with backend $1: "headless" (no display, no input devices) or "x11" (an output window on
# the virtual display that start_display made, with its pointer and keyboard); exports WAYLAND_DISPLAY
# and returns once weston accepts clients.
start_weston() {
    local backend=$1
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    local socket="sembrolin-e2e-$$"
    E2E_WESTON_BACKEND=$backend
    # --debug lets the screenshooter read the headless output.
    weston --backend="$backend-backend.so" --use-pixman --socket="$socket" --width=1024 --height=768 \
        --idle-time=0 --shell=desktop-shell.so --debug >"$E2E_TMP/weston.log" 2>&1 &
    E2E_WESTON_PID=$!
    for _ in $(seq 300); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && grep -q "weston-desktop-shell" "$E2E_TMP/weston.log" && break
        kill -0 "$E2E_WESTON_PID" 2>/dev/null || fail "weston did not start: $(cat "$E2E_TMP/weston.log")"
        sleep 0.1
    done
    [ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston opened no socket: $(cat "$E2E_TMP/weston.log")"
    export WAYLAND_DISPLAY=$socket
    export QT_QPA_PLATFORM=wayland
}

stop_weston() {
    kill "$E2E_WESTON_PID" 2>/dev/null || true
    wait "$E2E_WESTON_PID" 2>/dev/null || true
    E2E_WESTON_PID=""
}

# Saves what weston shows into $1: the output window on the virtual display, or the headless output
# through weston's screenshooter.
wayland_screenshot() {
    if [ "$E2E_WESTON_BACKEND" = x11 ]; then
        screenshot "$1"
        return
    fi
    local dir
    dir=$(mktemp -d -p "$E2E_TMP")
    (cd "$dir" && weston-screenshooter >/dev/null 2>&1) || return 1
    mv "$dir"/*.png "$1"
    rmdir "$dir"
}

# Prints "X Y", the top-left corner of the window in screenshot $1: the first red pixel of its title
# strip, the topmost and leftmost of its red pixels; prints nothing when there is no red.
window_origin() {
    convert "$1" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' -trim \
        -format '%[fx:page.x] %[fx:page.y] %w' info: 2>/dev/null | awk '$3 > 1 { print $1, $2 }'
}

# Waits up to $2 seconds (default 20) for the window to show in screenshot $1; prints its origin.
wait_for_wayland_window() {
    local shot=$1 seconds=${2:-20} origin=""
    for _ in $(seq $((seconds * 5))); do
        if wayland_screenshot "$shot"; then
            origin=$(window_origin "$shot")
            [ -n "$origin" ] && { echo "$origin"; return 0; }
        fi
        kill -0 "$E2E_APP_PID" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

# Waits up to 10 seconds for the window's origin in screenshot $1 to be $2 ("X Y").
wait_for_origin() {
    for _ in $(seq 50); do
        wayland_screenshot "$1" && [ "$(window_origin "$1")" = "$2" ] && return 0
        sleep 0.2
    done
    return 1
}

# Waits up to 10 seconds for pixel ($2, $3) of screenshot $1 to be (op "=") or not to be (op "!=") $5.
wait_for_wayland_pixel() {
    for _ in $(seq 50); do
        wayland_screenshot "$1" && [ "$(pixel "$1" "$2" "$3")" "$4" "$5" ] && return 0
        sleep 0.2
    done
    return 1
}
