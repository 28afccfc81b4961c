#!/usr/bin/env bash
# Starts against a display that cannot be reached end with the program's own
# message and status 1, never with the toolkit's fatal error (an abort and a
# core dump): no server at all, a toolkit that cannot open its platform, and
# quick starts on an X server that starts afresh whenever its last client
# leaves (Xvfb without -noreset), where a connection made while it does so
# fails.
source "$(dirname "$0")/lib.sh"

message="orrelume: cannot reach the X display"

# expect_unreachable DESCRIPTION COMMAND...: status 1 and the message.
expect_unreachable() {
    local what=$1 rc=0
    shift
    "$@" >"$WORK/out.log" 2>&1 || rc=$?
    [ "$rc" -eq 1 ] || fail "$what: status 1 ($rc)"
    grep -q "^$message" "$WORK/out.log" || fail "$what: the program's message ($(cat "$WORK/out.log"))"
}

expect_unreachable "no server" env DISPLAY=:1999 "$SAVER" /S
expect_unreachable "no DISPLAY" env -u DISPLAY "$SAVER" /S
note "a display that cannot be reached ends with the message and status 1"

# A server of its own that resets when its last client leaves.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_for 10 "Xvfb starts" test -s "$WORK/display"
export DISPLAY=":$(head -n1 "$WORK/display")"
# The toolkit found the display, but not its platform: its fatal error is
# replaced too.
expect_unreachable "a toolkit platform that fails" env QT_QPA_PLATFORM=xcb-none "$SAVER" /S

# "/a" ends at once: every start connects and leaves, so the server resets
# between starts and often during one.
aborted=0
for _ in $(seq 60); do
    rc=0
    timeout $((10 * SLOW)) "$SAVER" /a >>"$WORK/program.log" 2>&1 || rc=$?
    [ "$rc" -eq 0 ] || aborted=$((aborted + 1))
done
[ "$aborted" -eq 0 ] || fail "$aborted of 60 quick starts on a resetting server failed: $(sort -u "$WORK/program.log")"
running "$XVFB_PID" || fail "the server outlives the starts"
note "60 quick starts on a server that resets between them all succeed"
