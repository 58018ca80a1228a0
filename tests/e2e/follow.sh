#!/usr/bin/env bash
# The displays follow the server chosen in the server menu: the primary server's 42 at first, the chosen
# server's 77 a few ticks after the choice, with the peak following it and the average between the two.
# With "ncp" after the program, on our NCP client over the wire.
source "$(dirname "$0")/lib.sh"
program=$1

cat >"$E2E_TMP/scenario" <<'SCENARIO'
server ALDER version=4.11
server BIRCH version=4.11
sequence ALDER 42:1000
sequence BIRCH 77:5000
SCENARIO
export NWSIM_SCENARIO="$E2E_TMP/scenario"
start_display
if [ "${2:-}" = ncp ]; then
    start_ncpd "$program" "$NWSIM_SCENARIO"
    start_program "$program" --servers "$E2E_TMP/servers"
else
    start_program "$program"
fi
wait_for_window FMain 15 >/dev/null || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"

# Window at (255, 167), the page at (2, 47) within it; an LED panel's digits stand 8 pixels apart.
crop() {
    convert "$E2E_TMP/figures.png" -crop "$1x13+$((255 + 2 + $2))+$((167 + 47 + $3))" +repage "$E2E_TMP/$4.png"
}
differ() {
    [ "$(compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1)" != "0" ]
}
# Whether the CPU take shows 42 (two different digits, peak and average the same) or 77 after 42 (two equal
# digits, the peak the same, the average lower).
shows() {
    screenshot "$E2E_TMP/figures.png"
    crop 23 328 2 value
    crop 23 304 42 peak
    crop 23 304 82 average
    crop 7 336 2 tens
    crop 7 344 2 units
    differ value peak && return 1
    if [ "$1" = 42 ]; then
        differ tens units && ! differ value average
    else
        ! differ tens units && differ value average
    fi
}
wait_until_shows() {
    for _ in $(seq 30); do
        shows "$1" && return 0
        sleep 0.5
    done
    return 1
}

wait_until_shows 42 || fail "the primary server's 42 is not shown"
on_display xdotool mousemove 300 205 click 1
wait_for_pixel "$E2E_TMP/menu.png" 265 244 != 000000 || fail "no menu under the server button"
# ALDER, then BIRCH, 18 pixels apart under the button.
on_display xdotool mousemove 295 244 click 1
wait_until_shows 77 || fail "the displays do not follow the chosen server's 77"
kill -0 "$E2E_APP_PID" || fail "the program ended"
echo "follow ok"
