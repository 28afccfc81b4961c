#!/usr/bin/env bash
# Classic Xinerama: two heads side by side whose RandR knows only the first
# (Xephyr's two screens with +xinerama, shown on an Xvfb display). "/S" and
# "-root" both follow the heads: each head shows the universe, centred on
# it, rather than one picture across the seam or on the first head only.
source "$(dirname "$0")/lib.sh"
need_tools Xephyr
XVFB_SCREEN=2600x800x24 start_display
Xephyr -displayfd 4 -screen 1280x720+0+0 -screen 1280x720+1280+0 +xinerama -nolisten tcp \
    -noreset -no-host-grab 4>"$WORK/xephyr-display" >"$WORK/xephyr.log" 2>&1 &
STARTED_PIDS+=($!)
wait_for 10 "Xephyr starts" test -s "$WORK/xephyr-display"
export DISPLAY=":$(head -n1 "$WORK/xephyr-display")"
wait_for 10 "Xephyr answers" xdpyinfo_ok
xdpyinfo -ext XINERAMA | grep -q "head #1: 1280x720 @ 1280,0" || fail "Xephyr shows two heads"

# both_heads_drawn: stars on each head of a screenshot of the root.
both_heads_drawn() {
    import -window root "$WORK/heads.png" 2>/dev/null || return 1
    [ "$(region_star_pixels "$WORK/heads.png" 1280x720+0+0)" -gt 20 ] &&
        [ "$(region_star_pixels "$WORK/heads.png" 1280x720+1280+0)" -gt 20 ]
}

run_program "$SAVER" /S
saver=$PROGRAM_PID
wait_for 5 "the saver draws" trace_has first-frame
trace_has "mirror 1280x720+1280+0" || fail "/S gives the second head a window of its own"
trace_has "window-shown 1280x720" || fail "/S covers the first head, not both"
wait_for 5 "/S shows stars on both heads" both_heads_drawn
xdotool key space
expect_end "$saver" 2 "a key ends the saver"
note "/S covers each Xinerama head with a window of its own"

run_program "$ORRELUME" -root
hack=$PROGRAM_PID
wait_for 5 "-root draws" trace_has first-frame 2
trace_has "hack-layout 2560x720 monitors 2" || fail "-root reads both heads"
wait_for 5 "-root shows stars on both heads" both_heads_drawn
kill -TERM "$hack"
wait_for 2 "SIGTERM ends the hack" ended "$hack"
note "-root mirrors on each Xinerama head"
