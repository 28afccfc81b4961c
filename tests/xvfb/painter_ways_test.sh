#!/usr/bin/env bash
# The program on servers that lack what its painter prefers: a "-root" hack
# on a 16-bit screen without shared memory (every pixel converted and sent
# through the connection), and the saver at pixel size 2 on a server
# without RENDER (enlarged by the program into shared memory instead of by
# the server). Both draw, keep animating and end as usual; where the
# program traces its painter's way, the way is the one these servers leave.
# A saver killed outright leaves no shared memory behind.
source "$(dirname "$0")/lib.sh"

# start_display_without EXTENSION...: start_display, on a server that
# leaves the extensions out.
start_display_without() {
    local args=() extension
    for extension in "$@"; do
        args+=(-extension "$extension")
    done
    rm -f "$WORK/display" "$WORK/trace.log"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x720x24}" -nolisten tcp -noreset "${args[@]}" \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for 10 "Xvfb starts" test -s "$WORK/display"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    wait_for 10 "the display answers" xdpyinfo_ok
    for extension in "$@"; do
        ! xdpyinfo -queryExtensions | grep -q "^    $extension\b" || fail "the server lacks $extension"
    done
    xdotool mousemove 5 5
}

stop_display() {
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}

# painter_way WAY: the painter took that way, where the program traces it.
painter_way() {
    if trace_has "painter "; then
        trace_has "painter [0-9]* $1" || fail "the painter goes $1"
    else
        echo "(the program does not trace its painter's way)"
    fi
}

need_tools xdpyinfo compare
XVFB_SCREEN=640x360x16 start_display_without MIT-SHM
run_program "$ORRELUME" -root
wait_for 5 "the root hack draws on a 16-bit screen without shared memory" trace_has first-frame
wait_for 5 "stars are drawn" stars_drawn root
painter_way "put-image depth 16 16-bit"
import -window root "$WORK/a.png" 2>/dev/null || fail "a screenshot"
moved() {
    import -window root "$WORK/b.png" 2>/dev/null &&
        [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1)" != 0 ]
}
wait_for 5 "the picture keeps changing" moved
kill -TERM "$PROGRAM_PID"
expect_end "$PROGRAM_PID" 1 "the hack ends within a second of SIGTERM"
stop_display
note "a -root hack draws on a 16-bit screen without shared memory"

XVFB_SCREEN=1280x720x24 start_display_without RENDER
write_settings Advanced "Adv_PixelScale=2"
run_program "$SAVER" /S
wait_for 5 "the saver draws without RENDER" trace_has first-frame
trace_has "pixel-size 2 surface 640x360" || fail "the surface is half the screen's size"
wait_for 5 "stars are drawn" stars_drawn root
painter_way "shared-converted depth 24 32-bit"
blocks_whole() {
    import -window root "$WORK/shot.png" 2>/dev/null &&
        "$CONVERT" "$WORK/shot.png" -sample 50% -sample 200% "$WORK/resampled.png" &&
        [ "$(compare -metric AE "$WORK/shot.png" "$WORK/resampled.png" null: 2>&1)" = 0 ]
}
blocks_whole || blocks_whole || fail "every star covers whole 2 x 2 blocks"
note "without RENDER the saver at pixel size 2 enlarges its picture itself"

# The shared memory segments the program made (its surface's and the
# enlarged picture's), with their modes in octal: 1000 is "marked for
# removal".
segments_of() {
    awk -v pid="$1" 'NR > 1 && $5 == pid {print $3}' /proc/sysvipc/shm
}
[ -n "$(segments_of "$PROGRAM_PID")" ] || fail "the saver keeps its pictures in shared memory"
for mode in $(segments_of "$PROGRAM_PID"); do
    [ $((8#$mode & 8#1000)) -ne 0 ] || fail "every segment is marked for removal while in use"
done
no_segments() {
    [ -z "$(segments_of "$1")" ]
}
kill -KILL "$PROGRAM_PID"
expect_end "$PROGRAM_PID" 1 "the saver is killed"
wait_for 5 "a killed saver leaves no shared memory behind" no_segments "$PROGRAM_PID"
note "the segments are marked for removal while in use: a kill leaves none behind"
