#!/usr/bin/env bash
# A press on the server button drops down the server menu below it; a click on the button itself closes it,
# leaves the button Hot and does not open it again; a click elsewhere on the window closes it without a
# choice; choosing a server puts its name on the button.
source "$(dirname "$0")/lib.sh"
program=$1

start_display
start_program "$program"
wait_for_window FMain 15 >/dev/null || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep 1
before="$E2E_TMP/before.png"
screenshot "$before"

# The button at (260, 197), 92 x 17; Hot, its raised edge is white at the top left.
open_menu() {
    on_display xdotool mousemove 300 205 click 1
    # The menu opens under the button's left edge, over the window's black body.
    wait_for_pixel "$E2E_TMP/menu.png" 265 224 != 000000 || fail "no menu under the server button"
}

# Closes the open menu by a click at ($1, $2), where it is not, and leaves in $E2E_TMP/closed.png how the
# screen looks a second later.
close_menu_at() {
    on_display xdotool mousemove "$1" "$2" click 1
    wait_for_pixel "$E2E_TMP/closed.png" 265 224 = 000000 || fail "a click at ($1, $2) did not close the menu"
    sleep 1
    screenshot "$E2E_TMP/closed.png"
    [ "$(pixel "$E2E_TMP/closed.png" 265 224)" = 000000 ] || fail "the click at ($1, $2) opened the menu again"
}

open_menu
close_menu_at 300 205
[ "$(pixel "$E2E_TMP/closed.png" 260 197)" = FFFFFF ] || fail "the server button is not Hot after its menu closed"

open_menu
# The title strip, where no control lies; the pointer off the button, it is back to Up, its caption unchanged.
close_menu_at 455 179
changed=$(compare -metric AE -crop 92x17+260+197 "$before" "$E2E_TMP/closed.png" null: 2>&1 || true)
[ "${changed%%.*}" -eq 0 ] || fail "closing the menu without a choice changed the server button"

open_menu

# The built-in network has four answering entries; the first is the primary server.
on_display xdotool mousemove 280 224 click 1
after="$E2E_TMP/after.png"
wait_for_pixel "$after" 265 224 = 000000 || fail "the menu did not close after a choice"
changed=$(compare -metric AE -crop 92x17+260+197 "$before" "$after" null: 2>&1 || true)
[ "${changed%%.*}" -gt 0 ] || fail "the server button's caption did not change"
kill -0 "$E2E_APP_PID" || fail "the program ended"
echo "server menu ok"
