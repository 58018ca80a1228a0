#!/usr/bin/env bash
# On a server with fixed samples the CPU take shows 42 as its value, peak and average, the level meter
# lights its spots, and once the server stops answering every display stays as it was.
source "$(dirname "$0")/lib.sh"
program=$1

# Start-up asks once; then one request a tick, and after the eighth request the server stops answering.
cat >"$E2E_TMP/scenario" <<'SCENARIO'
server ALDER version=4.11
sequence ALDER 42:1000 42:1100 42:1200 42:1300 42:1400 42:1500 42:1600 42:1700
stop ALDER after 8 calls
SCENARIO
export NWSIM_SCENARIO="$E2E_TMP/scenario"
start_display
start_program "$program"
wait_for_window FMain 15 >/dev/null || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep 10

# Window at (255, 167); the page at (2, 47) within it.
crop() {
    convert "$1" -crop "$2x$3+$((255 + 2 + $4))+$((167 + 47 + $5))" +repage "$6"
}
lime_pixels() {
    convert "$1" -fill black +opaque "#00FF00" -fill white -opaque "#00FF00" -format "%[fx:int(mean*w*h)]" info:
}

first="$E2E_TMP/first.png"
second="$E2E_TMP/second.png"
screenshot "$first"
sleep 2
screenshot "$second"
crop "$first" 371 114 0 0 "$E2E_TMP/page1.png"
crop "$second" 371 114 0 0 "$E2E_TMP/page2.png"
[ "$(compare -metric AE "$E2E_TMP/page1.png" "$E2E_TMP/page2.png" null: 2>&1)" = "0" ] ||
    fail "the displays moved after the server stopped answering"

crop "$first" 23 13 328 2 "$E2E_TMP/value.png"
crop "$first" 23 13 304 42 "$E2E_TMP/peak.png"
crop "$first" 23 13 304 82 "$E2E_TMP/average.png"
[ "$(lime_pixels "$E2E_TMP/value.png")" -gt 20 ] || fail "the CPU value shows no lit segments"
[ "$(compare -metric AE "$E2E_TMP/value.png" "$E2E_TMP/peak.png" null: 2>&1)" = "0" ] ||
    fail "the CPU peak does not show the value 42"
[ "$(compare -metric AE "$E2E_TMP/value.png" "$E2E_TMP/average.png" null: 2>&1)" = "0" ] ||
    fail "the CPU average does not show the value 42"

# After seven equal samples the meter stands at 42 %: 40 of its 51 spots. Spots are 3 pixels wide; count the lit ones along the meter's middle row.
crop "$first" 257 1 56 8 "$E2E_TMP/meter.png"
spots=$(( $(lime_pixels "$E2E_TMP/meter.png") / 3 ))
[ "$spots" -eq 40 ] || fail "the CPU meter lights $spots of 51 spots for 42 %, not 40"
echo "samples ok ($spots spots lit)"
