#!/usr/bin/env bash
# Measures the application window at the default settings (5000 stars, a
# frame every 40 ms) filling an Xvfb screen of the given size (1920x1080
# unless a second argument says otherwise): the time from launch to the
# first frame shown, and the processor time that the program and the X
# server each use over a stretch of running (20 s unless a third argument
# says otherwise). A fourth argument measures another way of running
# instead: "hack" (the saver daemons' -root, over the whole screen) or
# "preview" (/P in another program's window of 640x480).
#
#     tests/xvfb/measure_app.sh build/orrelume [WIDTHxHEIGHT] [SECONDS] [app|hack|preview]
#
# Not a test (speed is not asserted): it prints the figures. Other programs
# running at the same time make them noisier; repeat and take the median.
SIZE=${2:-1920x1080}
SECONDS_TO_RUN=${3:-20}
FORM=${4:-app}
export XVFB_SCREEN="${SIZE}x24"
source "$(dirname "$0")/lib.sh"
start_display

ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

case "$FORM" in
    app) command=("$ORRELUME") ;;
    hack) command=("$ORRELUME" -root) ;;
    preview)
        start_xev 640x480+0+0
        command=("$SAVER" /P "$XEV_WINDOW")
        ;;
    *)
        echo "unknown form $FORM (app, hack or preview)"
        exit 2
        ;;
esac
launched=$(date +%s%3N)
run_program "${command[@]}"
app=$PROGRAM_PID
wait_for 10 "the first frame" trace_has first-frame
first=$(awk '/ first-frame/ {print $1; exit}' "$WORK/trace.log")
echo "$FORM, screen $SIZE, first frame: $((first - launched)) ms after launch"

hz=$(getconf CLK_TCK)
before=$(ticks "$app")
server_before=$(ticks "$XVFB_PID")
start=$(date +%s%N)
# Waiting for the end of the stretch is the measurement itself.
sleep "$SECONDS_TO_RUN"
after=$(ticks "$app")
server_after=$(ticks "$XVFB_PID")
elapsed_ms=$((($(date +%s%N) - start) / 1000000))

share() {
    local used_ms=$(($1 * 1000 / hz))
    echo "${used_ms} ms in ${elapsed_ms} ms =" \
        "$(awk -v u="$used_ms" -v e="$elapsed_ms" 'BEGIN {printf "%.1f", 100 * u / e}')% of one core"
}
echo "processor time, program: $(share $((after - before)))"
echo "processor time, X server: $(share $((server_after - server_before)))"
if [ "$FORM" = app ]; then
    xdotool key Escape
    expect_end "$app" 2 "Escape ends it"
else
    kill "$app"
    expect_end "$app" 2 "it ends when told to"
fi
