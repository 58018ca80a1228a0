#!/usr/bin/env bash
# The real program under a virtual display, on the simulated client's built-in network: start time (exec to
# the window mapped, median of STARTS runs), CPU of the program and the X server together over SECONDS of
# running at one tick a second (median of RUNS runs), and the program's resident memory at the end.
# Usage: bench/program.sh build/bin/sembrolin [SECONDS] [RUNS] [STARTS]. For a desktop's conditions, run it
# under dbus-run-session: without a session bus the toolkit spends a few milliseconds of each start failing
# to reach one.
set -euo pipefail
program=$(realpath "$1")
seconds=${2:-60} runs=${3:-3} starts=${4:-10}
source "$(dirname "$0")/../tests/e2e/lib.sh"
unset NWSIM_SCENARIO
start_display
xvfb=$E2E_XVFB_PID

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# User and system time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The X server's own map event ends each start; map_time sits beside the program's build.
map_time=$(dirname "$program")/../bench/map_time
[ -x "$map_time" ] || fail "build bench/map_time first (scripts/build map_time)"
on_display "$map_time" "$starts" "$program" 2>/dev/null | median |
    awk '{ printf "start, exec to window mapped: median %.1f ms\n", $1 / 1000 }'

hz=$(getconf CLK_TCK)
for _ in $(seq "$runs"); do
    start_program "$program"
    wait_for_window FMain 15 >/dev/null || fail "the main window did not appear"
    sleep 5
    before=$(( $(cpu_ticks "$E2E_APP_PID") + $(cpu_ticks "$xvfb") ))
    sleep "$seconds"
    after=$(( $(cpu_ticks "$E2E_APP_PID") + $(cpu_ticks "$xvfb") ))
    grep -E '^(VmRSS|RssAnon)' "/proc/$E2E_APP_PID/status" | tr -s ' \t' ' ' | paste -sd' ' >"$E2E_TMP/memory"
    kill "$E2E_APP_PID"
    wait "$E2E_APP_PID" || true
    E2E_APP_PID=""
    echo "$(( (after - before) * 100000 / (hz * seconds) ))"
done | median | awk -v s="$seconds" '{ printf "CPU over %d s, program and X server: median %.3f %% of one core\n", s, $1 / 1000 }'
echo "resident memory at the end: $(cat "$E2E_TMP/memory")"
