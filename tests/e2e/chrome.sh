#!/usr/bin/env bash
# The window's chrome on the real program: the take menu switches pages, the expander collapses the window
# to its top rows and back, and the link turns red under the pointer and opens the site it names.
source "$(dirname "$0")/lib.sh"
program=$1

cat >"$E2E_TMP/scenario" <<'SCENARIO'
server ALDER version=4.11
sequence ALDER 42:1000 42:1100 42:1200 42:1300 42:1400 42:1500 42:1600 42:1700 42:1800 42:1900
SCENARIO
export NWSIM_SCENARIO="$E2E_TMP/scenario"
# A stand-in for the desktop's URL handler records what it is asked to open.
mkdir -p "$E2E_TMP/handler"
cat >"$E2E_TMP/handler/xdg-open" <<HANDLER
#!/bin/sh
echo "\$1" >>"$E2E_TMP/opened"
HANDLER
chmod +x "$E2E_TMP/handler/xdg-open"
export PATH="$E2E_TMP/handler:$PATH"
: >"$E2E_TMP/opened"

start_display
start_program "$program"
window=$(wait_for_window FMain 15) || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep 3

# Window at (255, 167); the page at (2, 47) within it; the take title at (8, 0) on the page.
title() { convert "$1" -crop "37x17+265+214" +repage "$2"; }
shot="$E2E_TMP/shot.png"
screenshot "$shot"
title "$shot" "$E2E_TMP/cpu-title.png"
on_display xdotool mousemove 396 205 click 1
sleep 0.5
on_display xdotool key Down Down Return
sleep 1
screenshot "$shot"
title "$shot" "$E2E_TMP/ncp-title.png"
[ "$(compare -metric AE "$E2E_TMP/cpu-title.png" "$E2E_TMP/ncp-title.png" null: 2>&1 || true)" != "0" ] ||
    fail "choosing NCP did not show the NCP page"
ncp_lit=$(convert "$shot" -crop 71x13+537+216 +repage -fill black +opaque "#00FF00" -fill white -opaque "#00FF00" \
    -format "%[fx:int(mean*w*h)]" info:)
[ "$ncp_lit" -gt 20 ] || fail "the NCP page shows no current figure"

# Chosen with the mouse, an item takes the pointer off the take button (at (101, 30) in the window, 84 x 17)
# while the menu holds it; back on the button, the pointer lights it with its white top-left edge.
on_display xdotool mousemove 396 205 click 1
sleep 0.5
on_display xdotool mousemove 386 226 click 1
sleep 1
screenshot "$shot"
title "$shot" "$E2E_TMP/cpu-again.png"
[ "$(compare -metric AE "$E2E_TMP/cpu-title.png" "$E2E_TMP/cpu-again.png" null: 2>&1 || true)" = "0" ] ||
    fail "choosing CPU with the mouse did not show the CPU page"
[ "$(pixel "$shot" 356 197)" = "000000" ] || fail "the take button stays lit with the pointer off it"
on_display xdotool mousemove 396 205
sleep 0.3
on_display xdotool mousemove 398 206
wait_for_pixel "$shot" 356 197 = FFFFFF || fail "the take button does not light when the pointer comes back"

height() { on_display xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x//p'; }
on_display xdotool mousemove 289 179 click 1
sleep 1
[ "$(height)" = "75" ] || fail "the expander did not collapse the window to 75 rows: $(height)"
on_display xdotool mousemove 289 179 click 1
sleep 1
[ "$(height)" = "182" ] || fail "the expander did not expand the window to 182 rows: $(height)"

# The link label at (8, 160), 181 x 13: its text is red while the pointer is over it.
red_pixels() {
    convert "$1" -crop 181x13+263+327 +repage -fill black +opaque "#FF0000" -fill white -opaque "#FF0000" \
        -format "%[fx:int(mean*w*h)]" info:
}
on_display xdotool mousemove 275 333
sleep 0.5
screenshot "$shot"
[ "$(red_pixels "$shot")" -gt 20 ] || fail "the link is not red under the pointer"

# The texts alternate once a second; a click between two screenshots that show the same text, taken less than
# a second apart so that the text cannot have turned twice, opens its site.
opened=""
for _ in $(seq 20); do
    : >"$E2E_TMP/opened"
    begin=$(date +%s%N)
    screenshot "$E2E_TMP/before.png"
    on_display xdotool click 1
    screenshot "$E2E_TMP/after.png"
    elapsed=$(( ($(date +%s%N) - begin) / 1000000 ))
    for _ in $(seq 50); do
        [ -s "$E2E_TMP/opened" ] && break
        sleep 0.1
    done
    [ "$elapsed" -lt 900 ] || continue
    [ "$(red_pixels "$E2E_TMP/before.png")" = "$(red_pixels "$E2E_TMP/after.png")" ] || continue
    opened=$(cat "$E2E_TMP/opened")
    # The maker's text is the longer of the two: about 390 lit pixels against 250.
    if [ "$(red_pixels "$E2E_TMP/before.png")" -gt 320 ]; then want="harrowby"; else want="pellmont"; fi
    break
done
[ -n "$opened" ] || fail "a click on the link opened nothing"
echo "$opened" | grep -q "$want" || fail "the link opened $opened while it named $want"
on_display xdotool mousemove 500 500
sleep 0.5
screenshot "$shot"
[ "$(red_pixels "$shot")" -eq 0 ] || fail "the link stays red after the pointer left"
echo "chrome ok"
