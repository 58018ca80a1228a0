#!/usr/bin/env bash
# On our NCP client, a server that stops answering freezes the displays while the window goes on following a
# drag step for step (no call holds it), and the figures move again once the server answers.
source "$(dirname "$0")/lib.sh"
program=$1

# Seconds count from the start of nwsim-ncpd, which comes just before the program's.
cat >"$E2E_TMP/scenario" <<'SCENARIO'
server ALDER version=5.70 profile=busy
stop ALDER after 12 seconds for 14
SCENARIO
start_display
start_ncpd "$program" "$E2E_TMP/scenario"
start_program "$program" --servers "$E2E_TMP/servers"
window=$(wait_for_window FMain 15) || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"

x=255 y=167
# The page at (2, 47) of the window, and the chart on it, which a new reading always moves.
chart() {
    screenshot "$E2E_TMP/shot.png"
    convert "$E2E_TMP/shot.png" -crop "265x72+$((x + 2 + 8))+$((y + 47 + 25))" +repage "$1"
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = "0" ]; }
# Waits up to $1 seconds for the chart to stand still over 2.5 seconds (two ticks at least), or, with
# "moving", to move.
wait_for_chart() {
    local seconds=$1 want=$2
    for _ in $(seq $((seconds * 2 / 5))); do
        chart "$E2E_TMP/before.png"
        sleep 2.5
        chart "$E2E_TMP/after.png"
        if same "$E2E_TMP/before.png" "$E2E_TMP/after.png"; then
            [ "$want" = still ] && return 0
        else
            [ "$want" = moving ] && return 0
        fi
    done
    return 1
}
position() { on_display xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

wait_for_chart 10 moving || fail "the chart never moved while the server answered"
wait_for_chart 25 still || fail "the displays did not freeze when the server stopped answering"

# Held by the title strip, dragged in steps of (10, 5): after each step the window stands where the pointer
# took it, as soon as the toolkit gets its turn.
on_display xdotool mousemove $((x + 200)) $((y + 12)) mousedown 1
slowest=0
for step in $(seq 6); do
    on_display xdotool mousemove $((x + 200 + 10 * step)) $((y + 12 + 5 * step))
    start=$(now_ms)
    until [ "$(position)" = "$((x + 10 * step)),$((y + 5 * step))" ]; do
        [ $(($(now_ms) - start)) -lt 2000 ] || fail "the window did not follow step $step of the drag: $(position)"
        sleep 0.01
    done
    took=$(($(now_ms) - start))
    [ "$took" -gt "$slowest" ] && slowest=$took
done
on_display xdotool mouseup 1
x=$((x + 60)) y=$((y + 30))
chart "$E2E_TMP/moved.png"
same "$E2E_TMP/after.png" "$E2E_TMP/moved.png" || fail "the displays changed while the server was silent"

wait_for_chart 40 moving || fail "the figures did not come back once the server answered: $(cat "$E2E_TMP/program.log")"
echo "outage ok: the window followed every step of the drag within $slowest ms"
