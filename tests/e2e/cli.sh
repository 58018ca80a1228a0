#!/usr/bin/env bash
# The command line: help and version answer on the terminal without any display, and anything else says
# that no display was found; a servers file that cannot be used is named with its line on standard error and
# in a box, and after OK the program ends with code 2.
source "$(dirname "$0")/lib.sh"
program=$1

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) || fail "--version failed"
[ "$version" = "sembrolin 1.0" ] || fail "--version says '$version'"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help | grep -q -- "--servers <file>" ||
    fail "--help does not describe --servers"

# Without a display, and with one that cannot be reached, the program says so and ends with code 1. No
# desktop session of the machine's own may stand in for the missing display.
unreachable=900
while [ -e "/tmp/.X11-unix/X$unreachable" ] || [ -e "/tmp/.X$unreachable-lock" ]; do
    unreachable=$((unreachable + 1))
done
mkdir -p -m 700 "$E2E_TMP/no-session"
for display in "" ":$unreachable"; do
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$E2E_TMP/no-session" \
        ${display:+DISPLAY=$display} "$program" >"$E2E_TMP/no-display.log" 2>&1 || status=$?
    [ "$status" -eq 1 ] || fail "without a display '$display' the program ended with code $status"
    grep -q "sembrolin: no display was found: .*DISPLAY" "$E2E_TMP/no-display.log" ||
        fail "without a display '$display' the program said: $(cat "$E2E_TMP/no-display.log")"
    grep -qi reinstall "$E2E_TMP/no-display.log" && fail "the program advises reinstalling it"
done
grep -q "could not connect to DISPLAY=:$unreachable" "$E2E_TMP/no-display.log" ||
    fail "the unreachable display is not named: $(cat "$E2E_TMP/no-display.log")"

printf 'server alpha user=ops password=Thistle\n' >"$E2E_TMP/servers"
chmod 644 "$E2E_TMP/servers"
start_display
start_program "$program" --servers "$E2E_TMP/servers"
box=$(wait_for_window Sembrolin 15) || fail "no box for the servers file: $(cat "$E2E_TMP/program.log")"
on_display xdotool search --onlyvisible --name '^FMain$' >/dev/null && fail "the main window showed"
on_display xdotool windowfocus --sync "$box" key Return
wait_for_exit 10 || fail "the program did not end after OK"
[ "$E2E_EXIT_CODE" -eq 2 ] || fail "the program ended with code $E2E_EXIT_CODE"
grep -q "$E2E_TMP/servers: the file holds a password but can be read by others" "$E2E_TMP/program.log" ||
    fail "standard error does not name the file: $(cat "$E2E_TMP/program.log")"
grep -q Thistle "$E2E_TMP/program.log" && fail "the password was written out"
echo "command line ok"
