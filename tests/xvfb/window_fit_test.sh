#!/usr/bin/env bash
# Every window of the program on a 1366x768 screen without a window
# manager: each opens inside the screen, centred the first time, with every
# button where it can be seen (or in a page that scrolls), and a place stored
# off the screen comes back inside it. ORRELUME_SHOTS names a folder that
# keeps a screenshot of each window.
source "$(dirname "$0")/lib.sh"
CHILD=${ORRELUME_WINDOWS_CHILD:-$(dirname "$ORRELUME")/tests/orrelume_windows_child}
[ -x "$CHILD" ] || fail "no windows program at $CHILD"
XVFB_SCREEN=1366x768x24 start_display
SCREEN_W=1366
SCREEN_H=768
# The properties dialog stays out of its first-run welcome.
write_settings General ResetSettings=1

# check_window NAME [centred]: opens the window, checks it, closes it.
check_window() {
    local name=$1 centred=${2:-} geometry w h x y
    : >"$WORK/trace.log"
    run_program "$CHILD" "$name"
    local child=$PROGRAM_PID
    wait_for 20 "the $name window is shown" trace_has "fit-done $name"
    local id
    id=$(awk -v n="$name" '$2 == "fit-window" && $3 == n {print $4}' "$WORK/trace.log" | tail -n1)
    geometry=$(window_geometry "$id")
    IFS='x+' read -r w h x y <<<"$geometry"
    if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt $SCREEN_W ] ||
        [ $((y + h)) -gt $SCREEN_H ]; then
        fail "$name ($geometry) lies inside the screen"
    fi
    if [ -n "$centred" ]; then
        local dx=$((2 * x + w - SCREEN_W)) dy=$((2 * y + h - SCREEN_H))
        if [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; then
            fail "$name ($geometry) is centred"
        fi
    fi
    local controls bad
    bad=$(awk -v W=$SCREEN_W -v H=$SCREEN_H '$2 == "fit-control" {
            n++
            if ($8 == 0 || ($8 == 1 && ($4 < 0 || $5 < 0 || $4 + $6 > W || $5 + $7 > H)))
                print $3 " " $6 "x" $7 "+" $4 "+" $5
        } END { if (n == 0) print "no buttons" }' "$WORK/trace.log")
    [ -z "$bad" ] || fail "every button of $name can be seen: $bad"
    controls=$(trace_count fit-control)
    if [ -n "${ORRELUME_SHOTS:-}" ]; then
        mkdir -p "$ORRELUME_SHOTS"
        import -window root "$ORRELUME_SHOTS/$name.png" 2>/dev/null || true
    fi
    kill "$child" 2>/dev/null || true
    expect_end "$child" 5 "the $name window closes"
    note "$name: $geometry, $controls buttons shown"
}

for name in properties galaxy advanced levels ifs molecule template welcome about credits diagnostics help; do
    check_window "$name" centred
done

# Places stored below and right of the screen, as a larger screen or a
# misplaced window left them: the windows come back inside the screen.
write_settings 'General\Advanced' WindowState=0 WindowSize=15000090000300006000
write_settings 'General\Levels' WindowState=0 WindowSize=15000090000900009000
write_settings 'General\Main' WindowState=0 WindowSize=00000000009999999999
for name in advanced levels properties; do
    check_window "$name"
done
