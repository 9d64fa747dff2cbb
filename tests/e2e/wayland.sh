#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real quorvel binary as a native Wayland client of a headless compositor, at an output scale
# of 1 or 2: it shows its window (the compositor places it), and "&Ende", pressed through the
# accessibility bus, ends it with status 0 and nothing on stderr but the protocol trace.
#   weston: the screen shows the viewport and the sheet, at the output's device pixels.
#   kwin:   KWin draws the frame; the client area is the designed 554 x 374 logical pixels, and a
#           resize by the compositor towards 150 x 150 ends at the least size, the client area of
#           4000 x 6000 twips less the nominal frame (a Wayland client cannot learn the
#           compositor's), which the program tells the compositor as its minimum.
#   wayland.sh <quorvel binary> <weston | kwin> [scale]
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
WM_NAME=$2
SCALE=${3:-1}
export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The session bus starts the accessibility bus on demand; KWin offers its scripting on it.
eval "$(dbus-launch --sh-syntax)"
export WAYLAND_DISPLAY=quorvel-test
# The output is 1280 x 800 logical pixels at every scale, its screenshots in device pixels.
width=$((1280 * SCALE))
height=$((800 * SCALE))
case "$WM_NAME" in
weston)
    weston --backend=headless-backend.so --use-pixman --socket=$WAYLAND_DISPLAY --width=1280 --height=800 \
        --scale="$SCALE" --idle-time=0 --debug >"$E2E_WORK/wm.log" 2>&1 &
    ;;
kwin)
    # The installed binary carries file capabilities, which a container may refuse to grant; a
    # copy carries none.
    cp /usr/bin/kwin_wayland "$E2E_WORK/kwin_wayland"
    "$E2E_WORK/kwin_wayland" --virtual --width 1280 --height 800 --scale "$SCALE" \
        --socket $WAYLAND_DISPLAY >"$E2E_WORK/wm.log" 2>&1 &
    ;;
*) fail "unknown compositor" ;;
esac
WM_PID=$!
wait_until yes "the compositor's socket" bash -c "[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ] && echo yes"

# Every request the program makes of the compositor, and every event it receives, is traced on
# stderr.
QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=1 "$1" 2>"$E2E_WORK/quorvel.err" &
QUORVEL_PID=$!
# The last client area the program gave its window, and the last minimum it asked for.
last_request() { grep -o "$1([0-9, ]*)" "$E2E_WORK/quorvel.err" | tail -n 1; }

case "$WM_NAME" in
weston)
    # The screen shows the viewport's light yellow, 405 x 361 logical pixels less the sheet's
    # 405 x 197, and the white sheet (the panel's clock is white too, so at least that much white),
    # each logical pixel as scale x scale device pixels.
    screen_shows() {
        rm -f "$E2E_WORK"/wayland-screenshot-*.png
        (cd "$E2E_WORK" && weston-screenshooter >/dev/null 2>&1) || true
        mv "$E2E_WORK"/wayland-screenshot-*.png "$shot" 2>/dev/null || { echo "no screenshot"; return; }
        echo "viewport $(count_colour 0 0 $width $height "$viewport_colour"), sheet" \
            "$([ "$(count_colour 0 0 $width $height 255,255,255)" -ge $((79000 * SCALE * SCALE)) ] && echo shown || echo missing)"
    }
    wait_until "viewport $((66420 * SCALE * SCALE)), sheet shown" "the screen" screen_shows
    ;;
kwin)
    wait_until "set_window_geometry(0, 0, 554, 374)" "the client area at first show" last_request set_window_geometry
    # The compositor has the window once it configures it with a state (activated).
    activated() { grep -q 'xdg_toplevel@[0-9]*\.configure([0-9]*, [0-9]*, array\[[1-9]' "$E2E_WORK/quorvel.err" && echo yes; }
    wait_until yes "the window shown by the compositor" activated
    cat >"$E2E_WORK/resize.js" <<'EOF'
for (const window of workspace.clientList()) {
    if (window.caption === "Quorvel")
        window.frameGeometry = {x: window.frameGeometry.x, y: window.frameGeometry.y, width: 150, height: 150};
}
EOF
    dbus-send --session --dest=org.kde.KWin --print-reply /Scripting org.kde.kwin.Scripting.loadScript \
        string:"$E2E_WORK/resize.js" >/dev/null
    dbus-send --session --dest=org.kde.KWin --print-reply /Scripting org.kde.kwin.Scripting.start >/dev/null
    wait_until "set_window_geometry(0, 0, 259, 373)" "the client area after the resize" last_request set_window_geometry
    wait_until "set_min_size(259, 373)" "the minimum" last_request set_min_size
    ;;
esac

/usr/bin/python3 -B "$(dirname "$0")/atspi.py" press Ende || fail "could not press Ende"
expect_exit 0
# The protocol trace's lines start with a time stamp in brackets.
errors=$(grep -v '^\[ *[0-9.]*\] ' "$E2E_WORK/quorvel.err" || true)
[ -z "$errors" ] || fail "quorvel wrote to stderr: $(head -n 5 <<<"$errors")"
echo "ok: $WM_NAME, scale $SCALE"
