#!/usr/bin/env bash
# On a display scaled by two, by QT_SCALE_FACTOR or by a 192-dpi screen and resolution, the window is 742 x 364 device
# pixels at (510, 334): every pixel of the skin, the LED digits and the level meter is a 2 x 2 block of one
# colour, the mask cuts away the same rows and column, twice as wide, and the caption's text has no
# shades. Fractional factors round to whole ones: 1.5 to 2, 1.25 to 1.
source "$(dirname "$0")/lib.sh"
program=$1
export E2E_SCREEN=1600x1200x24

# Fails unless the region W x H + X + Y of screenshot $1 is made of 2 x 2 blocks of one colour each.
check_blocks() {
    local shot=$1 region=$2 what=$3 region_shot="$E2E_TMP/region.png" blocks="$E2E_TMP/blocks.png" differ
    convert "$shot" -crop "$region" +repage "$region_shot"
    convert "$region_shot" -sample 50% -sample 200% "$blocks"
    differ=$(compare -metric AE "$region_shot" "$blocks" null: 2>&1 || true)
    [ "$differ" = "0" ] || fail "$what is not drawn in 2 x 2 blocks ($differ pixels differ)"
}

# case: environment, screen dpi, window size in device pixels. Qt takes an X screen's factor from its
# logical resolution (QT_FONT_DPI or Xft.dpi), not from the physical one Xvfb's -dpi sets.
cases=(
    "QT_SCALE_FACTOR=2|96|742x364"
    "QT_FONT_DPI=192|192|742x364"
    "QT_FONT_DPI=144|144|742x364"
    "QT_FONT_DPI=120|120|371x182"
)
for case in "${cases[@]}"; do
    IFS='|' read -r environment dpi size <<<"$case"
    E2E_DPI=$dpi start_display
    start_program env "$environment" "$program"
    window=$(wait_for_window FMain 15) || fail "[$case] no main window: $(cat "$E2E_TMP/program.log")"
    geometry=$(on_display xdotool getwindowgeometry "$window")
    echo "$geometry" | grep -q "Geometry: $size" || fail "[$case] the window is not $size: $geometry"
    if [ "$size" = 742x364 ]; then
        echo "$geometry" | grep -q "Position: 510,334" || fail "[$case] the window is not at (510, 334): $geometry"
        shot="$E2E_TMP/scaled.png"
        # The level meter's first LED lights once the first tick has a reading.
        wait_for_pixel "$shot" $((510 + 2 * 60 + 1)) $((334 + 2 * 52 + 1)) != 000000 \
            || fail "[$case] the level meter shows nothing"
        # Shots go on until the title strip is on screen too, so the checks below see a whole frame.
        wait_for_pixel "$shot" 512 334 = FF0000 || fail "[$case] the title strip does not start at column 2"
        check_blocks "$shot" 740x44+512+334 "[$case] the title strip"
        check_blocks "$shot" 514x22+626+434 "[$case] the level meter"
        check_blocks "$shot" 74x34+530+428 "[$case] the LED label"
        for point in "510 334" "511 500" "600 378" "600 383"; do
            [ "$(pixel "$shot" $point)" = "FFFFFF" ] || fail "[$case] the mask does not cut away ($point)"
        done
        [ "$(pixel "$shot" 600 384)" = "000000" ] || fail "[$case] the body does not start at row 50"
        [ "$(pixel "$shot" 1251 697)" = "000000" ] || fail "[$case] the bottom-right pixel is not black"
        [ "$(pixel "$shot" 1252 697)" = "FFFFFF" ] || fail "[$case] the window is wider than 742"
        [ "$(pixel "$shot" 1251 698)" = "FFFFFF" ] || fail "[$case] the window is taller than 364"
        # The server button's caption, white on the black skin: two colours and nothing between.
        colours=$(convert "$shot" -crop 184x34+520+394 +repage -unique-colors -format "%w" info:)
        [ "$colours" -eq 2 ] || fail "[$case] the caption is drawn in $colours colours, not two"
    fi
    kill "$E2E_APP_PID"
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=""
    kill "$E2E_XVFB_PID"
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_XVFB_PID=""
done
echo "scale ok"
