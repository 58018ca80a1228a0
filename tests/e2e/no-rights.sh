#!/usr/bin/env bash
# On a network where no server grants console rights the user is told so once; after OK the window opens
# and the program runs on with an empty server menu, which takes no click away from the window.
source "$(dirname "$0")/lib.sh"
program=$1

cat >"$E2E_TMP/scenario" <<'SCENARIO'
server ALDER version=4.11 rights=no
server BIRCH version=3.12
SCENARIO
export NWSIM_SCENARIO="$E2E_TMP/scenario"
start_display
start_program "$program"
box=$(wait_for_window Information 15) || fail "no information box: $(cat "$E2E_TMP/program.log")"
on_display xdotool search --onlyvisible --name '^FMain$' >/dev/null && fail "the main window showed before OK"

on_display xdotool windowfocus --sync "$box" key Return
wait_for_window FMain 15 >/dev/null || fail "the main window did not appear after OK"
sleep 1
kill -0 "$E2E_APP_PID" || fail "the program ended"
[ "$(count_windows Information)" -eq 0 ] || fail "a second box appeared"

# The empty server menu opens nothing, so the next click reaches the exit button at (6, 4).
on_display xdotool mousemove 300 205 click 1
sleep 0.5
on_display xdotool mousemove 269 179 click 1
wait_for_exit 10 || fail "after a press on the empty server menu, a click on the exit button did nothing"
echo "no rights ok"
