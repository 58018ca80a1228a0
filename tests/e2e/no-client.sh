#!/usr/bin/env bash
# A copy of the program started away from its client libraries tells the user once that the client is
# missing, and ends after OK without showing its window.
source "$(dirname "$0")/lib.sh"
program=$1

cp "$program" "$E2E_TMP/sembrolin"
start_display
start_program "$E2E_TMP/sembrolin"
box=$(wait_for_window Information 15) || fail "no information box: $(cat "$E2E_TMP/program.log")"
sleep 1
[ "$(count_windows Information)" -eq 1 ] || fail "more than one box"
on_display xdotool search --onlyvisible --name '^FMain$' >/dev/null && fail "the main window showed before OK"
shot="$E2E_TMP/box.png"
screenshot "$shot"

on_display xdotool windowfocus --sync "$box" key Return
wait_for_exit 10 || fail "the program did not end after OK"
[ "$E2E_EXIT_CODE" -eq 0 ] || fail "the program ended with code $E2E_EXIT_CODE: $(cat "$E2E_TMP/program.log")"
grep -q . "$E2E_TMP/program.log" && echo "program said: $(cat "$E2E_TMP/program.log")"
echo "no client ok"
