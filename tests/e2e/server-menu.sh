#!/usr/bin/env bash
# A press on the server button drops down the server menu; choosing a server puts its name on the button.
source "$(dirname "$0")/lib.sh"
program=$1

start_display
start_program "$program"
wait_for_window FMain 15 >/dev/null || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep 1
before="$E2E_TMP/before.png"
screenshot "$before"

on_display xdotool mousemove 300 205 click 1
# The menu opens under the button's left edge, over the window's black body.
wait_for_pixel "$E2E_TMP/menu.png" 265 224 != 000000 || fail "no menu under the server button"

# The built-in network has four answering entries; the first is the primary server.
on_display xdotool mousemove 280 224 click 1
after="$E2E_TMP/after.png"
wait_for_pixel "$after" 265 224 = 000000 || fail "the menu did not close after a choice"
changed=$(compare -metric AE -crop 92x17+260+197 "$before" "$after" null: 2>&1 || true)
[ "${changed%%.*}" -gt 0 ] || fail "the server button's caption did not change"
kill -0 "$E2E_APP_PID" || fail "the program ended"
echo "server menu ok"
