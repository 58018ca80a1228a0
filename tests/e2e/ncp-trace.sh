#!/usr/bin/env bash
# A whole session of the program on our NCP client, traced: connect, log in, a minute of statistics, log out
# when the window closes. tshark decodes the trace with no malformed packet and no error, and reads in the
# statistics answers the figures the scenario gave the server.
source "$(dirname "$0")/lib.sh"
program=$1
seconds=${2:-60}

pairs=() counter=5000
for i in $(seq 0 $((seconds + 5))); do
    counter=$((counter + 97 * i))
    pairs+=("$((i * 37 % 101)):$counter")
done
cat >"$E2E_TMP/scenario" <<SCENARIO
login CN=WATCHER.O=ACORN
server ALDER version=6.50
password ALDER WATCHER Thistle
sequence ALDER ${pairs[*]}
SCENARIO
start_display
start_ncpd "$program" "$E2E_TMP/scenario"
trace="$E2E_TMP/session.pcap"
SEMBROLIN_NCP_TRACE="$trace" start_program "$program" --servers "$E2E_TMP/servers"
window=$(wait_for_window FMain 15) || fail "the main window did not appear: $(cat "$E2E_TMP/program.log")"
sleep "$seconds"
# The exit button at (6, 4) of the window at (255, 167).
on_display xdotool mousemove $((255 + 14)) $((167 + 12)) click 1
wait_for_exit 10 || fail "the exit button did not end the program"
[ "$(stat -c %a "$trace")" = 600 ] || fail "the trace can be read by others: $(stat -c %a "$trace")"

decode() { tshark -r "$trace" "$@" 2>/dev/null; }
[ "$(decode -Y "_ws.malformed || _ws.expert.severity >= 0x00800000" | wc -l)" -eq 0 ] ||
    fail "tshark finds malformed packets or errors: $(decode -q -z expert)"
login=$(decode -Y "ncp.func == 23 && ncp.subfunc == 24 && ncp.type == 0x3333" -T fields -e ncp.completion_code)
[ "$login" = "0x00" ] || fail "no keyed login answered with success: '$login'"
[ "$(decode -Y "ncp.func == 25 && ncp.type == 0x2222" | wc -l)" -eq 1 ] || fail "the session did not log out"
[ "$(decode -Y "ncp.type == 0x5555" | wc -l)" -eq 1 ] || fail "the connection was not destroyed"

decode -Y "ncp.func == 123 && ncp.subfunc == 2 && ncp.type == 0x3333" \
    -T fields -e ncp.server_utilization -e ncp.num_of_ncp_reqs | tr '\t' ':' >"$E2E_TMP/read"
count=$(wc -l <"$E2E_TMP/read")
[ "$count" -ge "$seconds" ] || fail "only $count statistics answers in $seconds seconds"
printf '%s\n' "${pairs[@]}" | head -n "$count" >"$E2E_TMP/given"
diff "$E2E_TMP/given" "$E2E_TMP/read" >/dev/null || fail "tshark reads other figures than the scenario gave:
$(diff "$E2E_TMP/given" "$E2E_TMP/read" | head)"
echo "trace ok: $(decode | wc -l) packets, $count statistics answers as the scenario gave them"
