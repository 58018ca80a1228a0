#!/usr/bin/env bash
# The monitor opens a borderless 371 x 182 skinned window at (255, 167), with the server button on it; it
# shows the skin at 1:1; its mask cuts away column 0 and rows 22 to 24, where the white root shows and the
# pointer reaches the root.
source "$(dirname "$0")/lib.sh"
program=$1

start_display
start_program "$program"
window=$(wait_for_window FMain 15) || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep 1

geometry=$(on_display xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Position: 255,167" || fail "window not at (255, 167): $geometry"
echo "$geometry" | grep -q "Geometry: 371x182" || fail "window not 371 x 182: $geometry"
# Motif hints: flags, functions, decorations; the decorations field must be 0.
decorations=$(on_display xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //' | cut -d, -f3 | tr -d ' ')
[ "$decorations" = "0x0" ] || fail "the window asks for a border or caption ($decorations)"

shot="$E2E_TMP/window.png"
screenshot "$shot"
[ "$(pixel "$shot" 256 168)" = "FF0000" ] || fail "the title strip is not red at its top-left"
[ "$(pixel "$shot" 625 348)" = "000000" ] || fail "bottom-right corner of the window is not black"
for point in "255 167" "255 250" "300 189" "300 191"; do
    [ "$(pixel "$shot" $point)" = "FFFFFF" ] || fail "the mask does not cut the window away at ($point)"
done
[ "$(pixel "$shot" 300 192)" = "000000" ] || fail "the body does not start at row 25"
# The title strip right of the buttons, where no control lies, is the skin's own pixels.
skin="$(dirname "$0")/../../resources/skin.png"
convert "$skin" -crop 270x22+100+0 +repage "$E2E_TMP/skin-strip.png"
convert "$shot" -crop 270x22+355+167 +repage "$E2E_TMP/shown-strip.png"
differ=$(compare -metric AE "$E2E_TMP/skin-strip.png" "$E2E_TMP/shown-strip.png" null: 2>&1 || true)
[ "${differ%%.*}" = 0 ] || fail "the title strip is not the skin at 1:1 ($differ pixels differ)"
# What lies under the pointer: the window, or the root where the mask cuts the window away.
under() {
    on_display xdotool mousemove "$1" "$2" getmouselocation --shell | sed -n 's/^WINDOW=//p'
}
[ "$(under 300 200)" = "$window" ] || fail "the body does not take the pointer"
for point in "255 250" "400 190"; do
    [ "$(under $point)" != "$window" ] || fail "the pointer does not pass through the cut at ($point)"
done
[ "$(pixel "$shot" 626 348)" = "FFFFFF" ] || fail "the window is wider than 371"
[ "$(pixel "$shot" 625 349)" = "FFFFFF" ] || fail "the window is taller than 182"

# The caption "Select Server" is white text on the button at (5, 30), 92 x 17.
white=$(convert "$shot" -crop 92x17+260+197 +repage -fill black +opaque white -format "%[fx:int(mean*w*h)]" info:)
[ "$white" -gt 20 ] || fail "no caption on the server button ($white white pixels)"
echo "window ok"
