#!/usr/bin/env bash
# Dragging the skin with the left or the right button moves the window by the pointer's travel; a click
# on the exit button ends the program with exit code 0.
source "$(dirname "$0")/lib.sh"
program=$1

start_display
start_program "$program"
window=$(wait_for_window FMain 15) || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep 1

position() {
    on_display xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'
}

# Waits up to 5 seconds for the window to stand at $1 ("x,y").
wait_for_position() {
    for _ in $(seq 50); do
        [ "$(position)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

drag() {
    local button=$1 from_x=$2 from_y=$3 to_x=$4 to_y=$5
    on_display xdotool mousemove "$from_x" "$from_y" mousedown "$button"
    sleep 0.2
    on_display xdotool mousemove $(((from_x + to_x) / 2)) $(((from_y + to_y) / 2))
    sleep 0.2
    on_display xdotool mousemove "$to_x" "$to_y"
    sleep 0.2
    on_display xdotool mouseup "$button"
}

# Grabbed by the title strip, where no control lies over the skin.
drag 1 455 179 515 209
wait_for_position "315,197" || fail "a left-button drag did not move the window by (60, 30): $(position)"
drag 3 515 209 475 179
wait_for_position "275,167" || fail "a right-button drag did not move the window by (-40, -30): $(position)"

# The exit button at (6, 4), 17 x 17.
on_display xdotool mousemove $((275 + 14)) $((167 + 12)) click 1
wait_for_exit 10 || fail "the exit button did not end the program"
[ "$E2E_EXIT_CODE" -eq 0 ] || fail "the program ended with exit code $E2E_EXIT_CODE: $(cat "$E2E_TMP/program.log")"
echo "skin ok"
