#!/usr/bin/env bash
# Two monitors side by side: the saver covers both, each showing the
# animation, and a click on the second ends it; a "-root" hack shows the
# animation on both as well.
source "$(dirname "$0")/lib.sh"
command -v xrandr >/dev/null 2>&1 || { echo "missing xrandr"; [ -n "${CI:-}" ] && exit 1; exit 77; }
XVFB_SCREEN=2560x720x24 start_display
two_monitors

# Both halves of the screen show stars, and both change: the first shot
# that shows stars on both is kept, and later shots are compared with it
# (remove a.png before waiting again).
both_starry() {
    local half
    for half in 1280x720+0+0 1280x720+1280+0; do
        [ "$(region_star_pixels "$1" "$half")" -gt 20 ] || return 1
    done
}
both_animated() {
    import -window root "$WORK/b.png" 2>/dev/null || return 1
    both_starry "$WORK/b.png" || return 1
    if [ ! -f "$WORK/a.png" ]; then
        mv "$WORK/b.png" "$WORK/a.png"
        return 1
    fi
    local half
    for half in 1280x720+0+0 1280x720+1280+0; do
        "$CONVERT" "$WORK/a.png" -crop "$half" +repage "$WORK/a-half.png"
        "$CONVERT" "$WORK/b.png" -crop "$half" +repage "$WORK/b-half.png"
        [ "$(compare -metric AE "$WORK/a-half.png" "$WORK/b-half.png" null: 2>&1 || true)" != 0 ] ||
            return 1
    done
}

run_program "$SAVER" /S
saver=$PROGRAM_PID
wait_for 5 "the saver covers the other monitor" trace_has "mirror 1280x720+"
wait_for 5 "the saver draws" trace_has first-frame
rm -f "$WORK/a.png"
wait_for 10 "both monitors show the animation" both_animated
xdotool mousemove 1900 360 click 1
expect_end "$saver" 1 "a click on the second monitor ends the saver within a second"
note "the saver covers and animates both monitors; input on the second ends it"

run_program "$ORRELUME" -root
hack=$PROGRAM_PID
wait_for 5 "the hack sees two monitors" trace_has "monitors 2 surface 1280x720"
rm -f "$WORK/a.png"
wait_for 10 "both monitors show the hack" both_animated
kill -TERM "$hack"
expect_end "$hack" 1 "SIGTERM ends the hack"
note "a -root hack animates both monitors"
