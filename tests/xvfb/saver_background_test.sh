#!/usr/bin/env bash
# The saver as the desktop's background (Adv_DispBackG=1) under a real
# window manager, on two monitors: each monitor gets a desktop window that
# taskbars and pagers skip; a window opened after it stays above it and
# takes its clicks as usual; keys and single clicks on the background do
# nothing; a double-click on it ends the saver.
source "$(dirname "$0")/lib.sh"
need_tools openbox
XVFB_SCREEN=2560x720x24 start_display
two_monitors
openbox >"$WORK/openbox.log" 2>&1 &
STARTED_PIDS+=($!)
wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
wait_for 5 "the window manager runs" wm_runs

write_settings Advanced Adv_DispBackG=1
run_program "$SAVER" /S
saver=$PROGRAM_PID
wait_for 5 "the background saver draws" trace_has first-frame
wait_for 5 "it covers both monitors" window_exists "QUIV:Orrelume 4.1" 2
for w in $(windows_named "QUIV:Orrelume 4.1"); do
    props=$(xprop -id "$w" _NET_WM_WINDOW_TYPE _NET_WM_STATE)
    for want in _NET_WM_WINDOW_TYPE_DESKTOP _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
        grep -q "$want" <<<"$props" || fail "window $w is marked $want: $props"
    done
done
note "both monitors show a desktop window that taskbars and pagers skip"

start_xev 300x200+100+100
# Bottom to top: the saver's windows first, the later window above them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g'; }
above_saver() {
    local order saver_at=-1 xev_at=-1 i=0 id
    order=$(stacking)
    for id in $order; do
        [ $((id)) -eq "$XEV_WINDOW" ] && xev_at=$i
        for w in $(windows_named "QUIV:Orrelume 4.1"); do
            [ $((id)) -eq "$w" ] && saver_at=$i
        done
        i=$((i + 1))
    done
    [ "$xev_at" -gt "$saver_at" ] && [ "$saver_at" -ge 0 ]
}
# The window manager may frame the window: compare the client list.
wait_for 2 "a window opened later stacks above the saver" above_saver
xdotool mousemove 200 200 click 1
wait_for 2 "a click into the other window gives it the focus" \
    test "$(xdotool getwindowfocus)" = "$XEV_WINDOW"
above_saver || fail "the other window stays above after its click"
xdotool mousemove 900 500 click 1
xdotool key a Escape
xdotool mousemove 1900 400 click 1
holds_for 0.5 running "$saver" || fail "keys and single clicks leave the background saver running"
above_saver || fail "a click on the background leaves the other window above it"
import -window root "$WORK/background.png"
[ "$(region_star_pixels "$WORK/background.png" 1000x600+1300+60)" -gt 20 ] ||
    fail "the second monitor shows stars"
note "a later window stays above and takes its clicks; keys and single clicks do nothing"

xdotool mousemove 900 500 click --repeat 2 --delay 80 1
expect_end "$saver" 2 "a double-click on the background ends the saver"
trace_has double-click || fail "the saver saw the double-click"
running "$XEV" || fail "the other window is left alone"
note "a double-click on the background ends it"
