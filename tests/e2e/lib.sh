# Shared helpers of the end-to-end tests and of the headless run: a private virtual display, program start,
# window look-up, screenshots, pixels.
set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_WESTON_PID=""
E2E_NCPD_PID=""
# A fresh virtual display here refuses a few connections in a hundred; a refused call is made this often.
E2E_ATTEMPTS=8
# Without a session bus the toolkit's bus thread would fork a search for a bus launcher, and a program that
# ends during that search leaks there; an address that refuses at once keeps every run alike. A desktop's
# bus, where one is given, is kept.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=$E2E_TMP/no-session-bus}

e2e_cleanup() {
    [ -n "$E2E_APP_PID" ] && kill "$E2E_APP_PID" 2>/dev/null || true
    [ -n "$E2E_WESTON_PID" ] && kill "$E2E_WESTON_PID" 2>/dev/null || true
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    [ -n "$E2E_NCPD_PID" ] && kill "$E2E_NCPD_PID" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Whether the messages in file $1 say that the display refused the connection, as X clients and the
# program's platform start put it.
display_refused() {
    grep -Eqi "unable to open (display|X server)|can't open display|could not connect to display" "$1"
}

# Runs an X client, again when the display refused its connection; any other outcome, a failure too, is
# the client's own. Its output is passed on once that outcome is known.
on_display() {
    local out err status
    out=$(mktemp -p "$E2E_TMP")
    err=$(mktemp -p "$E2E_TMP")
    for _ in $(seq "$E2E_ATTEMPTS"); do
        status=0
        "$@" >"$out" 2>"$err" || status=$?
        if [ "$status" -eq 0 ] || ! display_refused "$err"; then
            break
        fi
        sleep 0.2
    done
    cat "$out"
    cat "$err" >&2
    rm -f "$out" "$err"
    return "$status"
}

# Starts a virtual display of its own, with a white root so that a black window stands out, exports
# DISPLAY and returns once the display answers. E2E_SCREEN (default 1024x768x24) and E2E_DPI set its
# size and its resolution.
start_display() {
    exec 3>"$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" ${E2E_DPI:+-dpi "$E2E_DPI"} -wr -nolisten tcp \
        >/dev/null 2>&1 &
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
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    for _ in $(seq 300); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "the virtual display does not answer"
}

# Starts the program in the background and returns once it has a window or has ended. A start that the
# display refused, so that the program ended in its platform start, is made again.
start_program() {
    for _ in $(seq "$E2E_ATTEMPTS"); do
        "$@" >"$E2E_TMP/program.log" 2>&1 &
        E2E_APP_PID=$!
        program_reached_display && return 0
        wait "$E2E_APP_PID" || true
        E2E_APP_PID=""
        echo "the display refused the program; starting it again" >&2
    done
    fail "the display refused the program $E2E_ATTEMPTS times: $(cat "$E2E_TMP/program.log")"
}

# Waits up to 30 seconds for the program to show a window or end; fails only when it ended refused.
program_reached_display() {
    for _ in $(seq 300); do
        on_display xdotool search --pid "$E2E_APP_PID" >/dev/null 2>&1 && return 0
        if ! kill -0 "$E2E_APP_PID" 2>/dev/null; then
            ! display_refused "$E2E_TMP/program.log"
            return
        fi
        sleep 0.1
    done
}

# Waits up to $2 seconds (default 10) for a visible window whose name matches $1; prints its id.
wait_for_window() {
    local name=$1 seconds=${2:-10} id=""
    for _ in $(seq $((seconds * 10))); do
        id=$(on_display xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Prints how many visible windows are named $1.
count_windows() {
    on_display xdotool search --onlyvisible --name "^$1\$" | wc -l
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
    on_display import -window root "$1"
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

# Puts the simulated network of scenario $2 (without one, the built-in network) on the wire with nwsim-ncpd
# from the folder of program $1, on ports of its own choosing on loopback, and returns once it listens; the
# servers file for our client is then $E2E_TMP/servers.
start_ncpd() {
    local ncpd
    ncpd="$(dirname "$1")/nwsim-ncpd"
    rm -f "$E2E_TMP/servers"
    "$ncpd" ${2:+--scenario "$2"} --listen 127.0.0.1:0 --servers-file "$E2E_TMP/servers" >"$E2E_TMP/ncpd.log" 2>&1 &
    E2E_NCPD_PID=$!
    for _ in $(seq 100); do
        [ -s "$E2E_TMP/servers" ] && return 0
        kill -0 "$E2E_NCPD_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "nwsim-ncpd did not start: $(cat "$E2E_TMP/ncpd.log")"
}
