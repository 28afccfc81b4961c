#!/usr/bin/env bash
# Measures the application window at the default settings (5000 stars, a
# frame every 40 ms) filling a 1280x720 Xvfb screen: the time from launch to
# the first frame shown, and the processor time the program uses over a
# stretch of running (20 s unless a second argument says otherwise).
#
#     tests/xvfb/measure_app.sh build/orrelume [SECONDS]
#
# Not a test (speed is not asserted): it prints the figures.
source "$(dirname "$0")/lib.sh"
SECONDS_TO_RUN=${2:-20}
start_display

ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

launched=$(date +%s%3N)
run_program "$ORRELUME"
app=$PROGRAM_PID
wait_for 10 "the first frame" trace_has first-frame
first=$(awk '/ first-frame/ {print $1; exit}' "$WORK/trace.log")
echo "first frame: $((first - launched)) ms after launch"

hz=$(getconf CLK_TCK)
before=$(ticks "$app")
start=$(date +%s%N)
# Waiting for the end of the stretch is the measurement itself.
sleep "$SECONDS_TO_RUN"
after=$(ticks "$app")
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
used_ms=$(((after - before) * 1000 / hz))
echo "processor time: ${used_ms} ms in ${elapsed_ms} ms =" \
    "$(awk -v u="$used_ms" -v e="$elapsed_ms" 'BEGIN {printf "%.1f", 100 * u / e}')% of one core"
xdotool key Escape
expect_end "$app" 2 "Escape ends it"
