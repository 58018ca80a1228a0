#!/usr/bin/env bash
# The real program under a virtual display at one tick a second, beside a bare window of the same size that
# measures one text (bench/ReferenceWindow.cpp), which shows what the toolkit and the machine cost by
# themselves. In one run, each a median:
# - start, exec to the window mapped (STARTS starts of each, in turns);
# - over SECONDS of running (RUNS rounds, the three in turns): the process's CPU and the X server's CPU, in
#   percent of one core, from the kernel's nanosecond counts; the wake-ups of the window's thread per second
#   (the times it went to sleep and was woken, its voluntary context switches; being preempted is no
#   wake-up); the proportional set size (Pss) at the end, and its anonymous part;
# - for the bare window, the program on the simulated client's built-in network, and the program on our NCP
#   client against the same network on the wire (nwsim-ncpd, whose own CPU is not counted).
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
# Nanoseconds on a CPU of every thread of a process, and the times its first thread slept and was woken.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'; }
wakeups() { awk '$1 == "voluntary_ctxt_switches:" { print $2 }' "/proc/$1/task/$1/status"; }
pss_kib() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/smaps_rollup"; }

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
    printf "start, exec to window mapped: median %.1f ms; a bare window that measures a text: %.1f ms (the program: %.2f times that)\n",
        p / 1000, r / 1000, p / r
}'

# One run of "$@" for SECONDS after a settling time: process CPU %, X server CPU %, wake-ups a second,
# Pss and its anonymous part in KiB.
measure() {
    start_program "$@"
    sleep 5
    local pid=$E2E_APP_PID
    local cpu0 x0 w0 cpu1 x1 w1
    cpu0=$(cpu_ns "$pid") x0=$(cpu_ns "$xvfb") w0=$(wakeups "$pid")
    sleep "$seconds"
    cpu1=$(cpu_ns "$pid") x1=$(cpu_ns "$xvfb") w1=$(wakeups "$pid")
    local pss anon
    pss=$(pss_kib "$pid" Pss) anon=$(pss_kib "$pid" Pss_Anon)
    kill "$pid"
    wait "$pid" || true
    E2E_APP_PID=""
    awk -v c=$((cpu1 - cpu0)) -v x=$((x1 - x0)) -v w=$((w1 - w0)) -v s="$seconds" -v p="$pss" -v a="$anon" \
        'BEGIN { printf "%.4f %.4f %.3f %d %d\n", c / (s * 1e7), x / (s * 1e7), w / s, p, a }'
}

start_ncpd "$program"
subjects=(reference simulated ncp)
for _ in $(seq "$runs"); do
    measure "$bench/reference_window" >>"$E2E_TMP/reference"
    measure "$program" >>"$E2E_TMP/simulated"
    measure "$program" --servers "$E2E_TMP/servers" >>"$E2E_TMP/ncp"
done
printf "%-34s %12s %12s %12s %14s %10s %10s\n" "over $seconds s, medians of $runs" "process CPU" "X server" \
    "together" "window wakes/s" "Pss MiB" "anon MiB"
for subject in "${subjects[@]}"; do
    column() { cut -d' ' -f"$1" "$E2E_TMP/$subject" | median; }
    case $subject in
        reference) label="a bare window of the same size" ;;
        simulated) label="the program, simulated client" ;;
        ncp) label="the program, our NCP client" ;;
    esac
    awk -v l="$label" -v c="$(column 1)" -v x="$(column 2)" -v w="$(column 3)" -v p="$(column 4)" -v a="$(column 5)" \
        'BEGIN { printf "%-34s %11.3f%% %11.3f%% %11.3f%% %14.2f %10.1f %10.1f\n", l, c, x, c + x, w, p / 1024, a / 1024 }'
done
