#!/usr/bin/env bash
# The same scenario watched through the simulated client and through our NCP client, over the wire from
# nwsim-ncpd, gives the same window: tick for tick the same LED digits, meter and bars on both pages. The
# server answers eight statistics requests, its counter falling once as after a restart, and then stops, so
# both runs come to rest on the same picture.
source "$(dirname "$0")/lib.sh"
program=$1

cat >"$E2E_TMP/scenario" <<'SCENARIO'
login CN=WATCHER.O=ACORN Wren Watcher
server ALDER version=5.70
password ALDER WATCHER Thistle
sequence ALDER 12:1000 27:1180 41:1900 66:2150 35:4120 90:300 18:4310 53:9000
stop ALDER after 8 calls
SCENARIO

# Window at (255, 167), the page at (2, 47) within it; the link label below the page alternates every tick.
page() { convert "$1" -crop "371x114+257+214" +repage "$2"; }
lit() { convert "$1" -fill black +opaque "#00FF00" -fill white -opaque "#00FF00" -format "%[fx:int(mean*w*h)]" info:; }

# Runs the program until its displays rest, and keeps both pages as $1-cpu.png and $1-ncp.png.
watch() {
    local name=$1
    shift
    start_program "$@"
    wait_for_window FMain 15 >/dev/null || fail "$name: the main window did not appear: $(cat "$E2E_TMP/program.log")"
    sleep 13
    screenshot "$E2E_TMP/shot.png"
    page "$E2E_TMP/shot.png" "$E2E_TMP/$name-cpu.png"
    on_display xdotool mousemove 396 205 click 1
    sleep 0.5
    on_display xdotool key Down Down Return
    sleep 1
    screenshot "$E2E_TMP/shot.png"
    page "$E2E_TMP/shot.png" "$E2E_TMP/$name-ncp.png"
    kill "$E2E_APP_PID"
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=""
}

start_display
NWSIM_SCENARIO="$E2E_TMP/scenario" watch library "$program"
start_ncpd "$program" "$E2E_TMP/scenario"
grep -q "password=Thistle" "$E2E_TMP/servers" || fail "the servers file has no password: $(cat "$E2E_TMP/servers")"
watch ncp "$program" --servers "$E2E_TMP/servers"
grep -q "connected to ALDER as WATCHER" "$E2E_TMP/program.log" || fail "no login: $(cat "$E2E_TMP/program.log")"

for take in cpu ncp; do
    [ "$(lit "$E2E_TMP/ncp-$take.png")" -gt 500 ] || fail "the $take page shows next to nothing"
    differ=$(compare -metric AE "$E2E_TMP/library-$take.png" "$E2E_TMP/ncp-$take.png" null: 2>&1 || true)
    [ "$differ" = "0" ] || fail "the $take page differs in $differ pixels between the two clients"
done
echo "same window on both clients"
