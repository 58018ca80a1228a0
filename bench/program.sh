#!/usr/bin/env bash
# The real program under a virtual display, on the simulated client's built-in network: start time (exec to
# the window mapped, median of STARTS runs), CPU of the program and the X server together over SECONDS of
# running at one tick a second (median of RUNS runs), and the program's resident memory at the end. The start
# is set beside a bare window's, which shows what the machine itself costs. The CPU is measured, in turns, on
# our NCP client too, against the same network on the wire (nwsim-ncpd, whose own CPU is not counted).
# Usage: bench/program.sh build/bin/sembrolin [SECONDS] [RUNS] [STARTS]. For a desktop's conditions, run it
# under dbus-run-session: without a session bus the program is given an address that refuses at once, and
# its start skips the bus work a desktop's start pays.
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

# The X server's own map event ends each start; map_time and the reference window sit beside the program's
# build. One start of each in turn, so that a drift of the machine's speed reaches both alike.
bench=$(dirname "$program")/../bench
for tool in map_time reference_window; do
    [ -x "$bench/$tool" ] || fail "build bench/$tool first (scripts/build $tool)"
done
for _ in $(seq "$starts"); do
    program_us=$(on_display "$bench/map_time" 1 "$program" 2>/dev/null)
    reference_us=$(on_display "$bench/map_time" 1 "$bench/reference_window" 2>/dev/null)
    echo "$program_us $reference_us"
done >"$E2E_TMP/starts"
program_us=$(cut -d' ' -f1 "$E2E_TMP/starts" | median)
reference_us=$(cut -d' ' -f2 "$E2E_TMP/starts" | median)
awk -v p="$program_us" -v r="$reference_us" 'BEGIN {
    printf "start, exec to window mapped: median %.1f ms\n", p / 1000
    printf "start of a bare window that measures a text first: median %.1f ms (the program: %.2f times that)\n",
        r / 1000, p / r
}'

hz=$(getconf CLK_TCK)
# CPU of one run of the program with arguments "$@", in thousandths of a percent of one core.
run_cpu() {
    start_program "$@"
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
}
start_ncpd "$program"
for _ in $(seq "$runs"); do
    echo "$(run_cpu "$program") $(run_cpu "$program" --servers "$E2E_TMP/servers")"
done >"$E2E_TMP/cpu"
simulated=$(cut -d' ' -f1 "$E2E_TMP/cpu" | median)
ncp=$(cut -d' ' -f2 "$E2E_TMP/cpu" | median)
awk -v s="$seconds" -v a="$simulated" -v b="$ncp" 'BEGIN {
    printf "CPU over %d s, program and X server: median %.3f %% of one core on the simulated client\n", s, a / 1000
    printf "CPU over %d s, program and X server: median %.3f %% of one core on our NCP client (%+.3f %%)\n", s, b / 1000, (b - a) / 1000
}'
echo "resident memory at the end (NCP client): $(cat "$E2E_TMP/memory")"
