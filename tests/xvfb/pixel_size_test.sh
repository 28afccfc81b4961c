#!/usr/bin/env bash
# Pixel size 2: the saver draws a surface of half the screen's size and each
# of its pixels covers 2 x 2 pixels of the screen.
source "$(dirname "$0")/lib.sh"
start_display
write_settings Advanced "Adv_PixelScale=2"

run_program "$SAVER" /S
wait_for 5 "the saver draws" trace_has first-frame
trace_has "pixel-size 2 surface 640x360" || fail "the surface is half the screen's size"
wait_for 5 "stars are drawn" stars_drawn root
# Every 2 x 2 block of the screen is one colour: halving and doubling the
# screenshot by sampling gives it back unchanged.
blocks_whole() {
    import -window root "$WORK/shot.png" 2>/dev/null &&
        "$CONVERT" "$WORK/shot.png" -sample 50% -sample 200% "$WORK/resampled.png" &&
        [ "$(compare -metric AE "$WORK/shot.png" "$WORK/resampled.png" null: 2>&1)" = 0 ]
}
blocks_whole || blocks_whole || fail "every star covers whole 2 x 2 blocks"
xdotool key space
expect_end "$PROGRAM_PID" 1 "a key ends the saver"
note "at pixel size 2 each star covers 2 x 2 screen pixels"
