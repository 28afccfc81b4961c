#!/usr/bin/env bash
# Orrelume under the real mate-screensaver, run by hand (not by ctest: the
# daemon runs a theme's program only from its folders under /usr, so the
# program must be installed there, or linked there by this script when it
# runs as root):
#
#   apt-get install mate-screensaver dbus-bin openbox
#   bash tests/xvfb/mate_screensaver_by_hand.sh build
#
# It installs the build into a folder of its own, so that the daemon reads
# the entry this build installs, starts an Xvfb display and a D-Bus session
# as an unprivileged user (nobody, when run as root) with
# XDG_CURRENT_DESKTOP=MATE, and checks that the preferences' preview
# animates, that activation shows the universe and that deactivation ends
# it. Screenshots land in mate-preview.png and mate-active.png in the
# current folder: look at them.
set -euo pipefail
if [ "${1:-}" = "--inside" ]; then
    # In the session, as the unprivileged user.
    shift
    out=$1
    hack_runs() { pgrep -f "^/usr/libexec/xscreensaver/orrelume" >/dev/null; }
    wait_until() {
        local n=0
        until "$@"; do
            n=$((n + 1))
            [ "$n" -lt 100 ] || return 1
            sleep 0.1
        done
    }
    stars() {
        convert "$1" -fill black -opaque white -threshold 0 -format "%[fx:round(mean*w*h)]" info:
    }
    gsettings set org.mate.screensaver mode single
    gsettings set org.mate.screensaver themes "['screensavers-orrelume']"
    gsettings set org.mate.screensaver lock-enabled false
    gsettings set org.mate.screensaver idle-activation-enabled false
    openbox >"$out/openbox.log" 2>&1 &
    wm=$!
    sleep 1
    mate-screensaver-preferences >"$out/preferences.log" 2>&1 &
    prefs=$!
    wait_until hack_runs || { echo "FAIL: the preferences' preview starts Orrelume"; exit 1; }
    sleep 3
    import -window root "$out/mate-preview.png"
    sleep 1
    import -window root "$out/mate-preview-later.png"
    changed=$(compare -metric AE "$out/mate-preview.png" "$out/mate-preview-later.png" null: 2>&1 || true)
    echo "preview: $changed pixels changed in a second"
    [ "${changed%%.*}" -gt 100 ] 2>/dev/null || { echo "FAIL: the preview animates"; exit 1; }
    kill "$prefs"
    wait "$prefs" 2>/dev/null || true
    wait_until sh -c '! pgrep -f "^/usr/libexec/xscreensaver/orrelume" >/dev/null' ||
        { echo "FAIL: the preview ends with the preferences"; exit 1; }

    mate-screensaver --debug >"$out/daemon.log" 2>&1 &
    daemon=$!
    sleep 2
    mate-screensaver-command --activate
    wait_until hack_runs || { echo "FAIL: activation starts Orrelume"; exit 1; }
    sleep 3
    import -window root "$out/mate-active.png"
    n=$(stars "$out/mate-active.png")
    echo "active: $n star pixels"
    [ "$n" -gt 100 ] || { echo "FAIL: the active saver shows the universe"; exit 1; }
    mate-screensaver-command --deactivate
    wait_until sh -c '! pgrep -f "^/usr/libexec/xscreensaver/orrelume" >/dev/null' ||
        { echo "FAIL: deactivation ends Orrelume"; exit 1; }
    grep -q "No command set" "$out/daemon.log" && { echo "FAIL: the daemon found no command"; exit 1; }
    if grep -qi "abnormal" "$out/daemon.log"; then
        echo "FAIL: the daemon saw Orrelume end abnormally"
        exit 1
    fi
    kill "$daemon" "$wm"
    echo "ok: the preview animates, activation shows the universe, deactivation ends it"
    exit 0
fi

BUILD=$(readlink -f "${1:?usage: mate_screensaver_by_hand.sh BUILD_DIR}")
for tool in Xvfb mate-screensaver mate-screensaver-preferences dbus-run-session openbox import; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orrelume-mate.XXXXXX")
chmod 755 "$WORK"
LINK=""
XVFB=""
cleanup() {
    [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null
    if [ -n "$LINK" ]; then
        rm -f "$LINK"
        rmdir --ignore-fail-on-non-empty /usr/libexec/xscreensaver
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

DESTDIR="$WORK/install" cmake --install "$BUILD" --prefix /usr >"$WORK/install.log"
if [ ! -e /usr/libexec/xscreensaver/orrelume ]; then
    [ "$(id -u)" -eq 0 ] || { echo "install the package, or run as root to link the build"; exit 1; }
    mkdir -p /usr/libexec/xscreensaver
    ln -s "$BUILD/orrelume" /usr/libexec/xscreensaver/orrelume
    LINK=/usr/libexec/xscreensaver/orrelume
fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" >/dev/null 2>&1 &
XVFB=$!
until [ -s "$WORK/display" ]; do sleep 0.05; done
display=":$(head -n1 "$WORK/display")"

as_user=()
home="$WORK/home"
mkdir -p "$home/out"
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
cp "$0" "$WORK/inside.sh"
chmod 755 "$WORK/inside.sh"
rc=0
"${as_user[@]}" env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" \
    XDG_CURRENT_DESKTOP=MATE XDG_RUNTIME_DIR="$home" \
    XDG_DATA_DIRS="$WORK/install/usr/share:/usr/share" \
    dbus-run-session -- bash "$WORK/inside.sh" --inside "$home/out" || rc=$?
cp "$home/out"/mate-preview.png "$home/out"/mate-active.png . 2>/dev/null || true
[ "$rc" -eq 0 ] || { tail -n 20 "$home/out/daemon.log" 2>/dev/null; exit "$rc"; }
