#!/usr/bin/env bash
# On a Wayland compositor (weston): the program starts and shows its window headless; on weston's X11
# output, whose pointer xdotool drives, a drag by the title strip moves the window through the compositor,
# a press on the rows the mask cuts away reaches the desktop instead (the mask is the input region), both
# drop-down menus open under their buttons, and the exit button ends the program with exit code 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wayland-lib.sh"
program=$1
# Under the address sanitizer: the graphics library that the toolkit's Wayland support loads unloads its
# driver before the process ends, so the short stack of the driver's one leak names no library; full stacks
# let the suppressions recognise it.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
shot="$E2E_TMP/wayland.png"

# Headless: weston there has no input devices, so the program is started, seen and stopped.
start_weston headless
"$program" >"$E2E_TMP/program.log" 2>&1 &
E2E_APP_PID=$!
read -r x y < <(wait_for_wayland_window "$shot") \
    || fail "no window on headless weston: $(cat "$E2E_TMP/program.log")"
[ "$(pixel "$shot" $((x + 370)) $((y + 21)))" = "FF0000" ] || fail "the title strip is not 371 wide"
[ "$(pixel "$shot" $((x + 300)) $((y + 181)))" = "000000" ] || fail "the body is not black at its bottom row"
kill "$E2E_APP_PID"
wait_for_exit 10 || fail "the program did not end on SIGTERM"
stop_weston

# The display is wider than weston's output: weston follows the pointer by its relative moves and learns
# where it is only when it enters the output, so it is brought in from beside the output first.
E2E_SCREEN=1280x768x24 start_display
start_weston x11
"$program" >"$E2E_TMP/program.log" 2>&1 &
E2E_APP_PID=$!
read -r x y < <(wait_for_wayland_window "$shot") \
    || fail "no window on weston's X11 output: $(cat "$E2E_TMP/program.log")"
on_display xdotool mousemove 1200 400
sleep 0.2

# The compositor moves the window by the pointer's travel since the press, so a move that starts late still
# ends in place; the button is held long enough for the program's request to arrive while it is down.
drag() {
    local from_x=$1 from_y=$2 to_x=$3 to_y=$4
    on_display xdotool mousemove "$from_x" "$from_y" mousedown 1
    sleep 0.5
    on_display xdotool mousemove $(((from_x + to_x) / 2)) $(((from_y + to_y) / 2))
    sleep 0.5
    on_display xdotool mousemove "$to_x" "$to_y"
    sleep 0.5
    on_display xdotool mouseup 1
}

# Left and up, where the output always has room.
drag $((x + 200)) $((y + 10)) $((x + 140)) $((y - 20))
x=$((x - 60)) y=$((y - 30))
wait_for_origin "$shot" "$x $y" || fail "the drag did not move the window by (-60, -30): $(window_origin "$shot")"
drag $((x + 200)) $((y + 23)) $((x + 260)) $((y + 53))
sleep 1
wayland_screenshot "$shot"
[ "$(window_origin "$shot")" = "$x $y" ] || fail "a press on the cut-away rows moved the window"

# The server button at (5, 30) and the take button at (101, 30), both 17 high: their menus open with
# their top-left corners at the buttons' bottom-left corners.
for button in "5 SERVER" "101 TAKE"; do
    read -r left name <<<"$button"
    on_display xdotool mousemove $((x + left + 20)) $((y + 38)) click 1
    wait_for_wayland_pixel "$shot" $((x + left + 4)) $((y + 50)) = C0C0C0 \
        || fail "the $name menu did not open under its button"
    [ "$(pixel "$shot" $((x + left + 4)) $((y + 45)))" != C0C0C0 ] || fail "the $name menu covers its button"
    on_display xdotool key Escape
    wait_for_wayland_pixel "$shot" $((x + left + 4)) $((y + 50)) != C0C0C0 || fail "the $name menu stayed open"
done

# The exit button at (6, 4), 17 x 17.
on_display xdotool mousemove $((x + 14)) $((y + 12)) click 1
wait_for_exit 10 || fail "the exit button did not end the program"
[ "$E2E_EXIT_CODE" -eq 0 ] || fail "the program ended with exit code $E2E_EXIT_CODE: $(cat "$E2E_TMP/program.log")"
echo "wayland ok"
