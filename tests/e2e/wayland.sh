#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real quorvel binary as a native Wayland client of a headless weston: it shows its window
# (the compositor places it), and "&Ende", pressed through the accessibility bus, ends it with
# status 0 and nothing on stderr.
#   wayland.sh <quorvel binary>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
WM_NAME=weston
export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The accessibility bus is started by the session bus on demand.
eval "$(dbus-launch --sh-syntax)"
export WAYLAND_DISPLAY=quorvel-test
weston --backend=headless-backend.so --use-pixman --socket=$WAYLAND_DISPLAY --width=1280 --height=800 \
    --idle-time=0 --debug >"$E2E_WORK/wm.log" 2>&1 &
WM_PID=$!
wait_until yes "the compositor's socket" bash -c "[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ] && echo yes"

QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>"$E2E_WORK/quorvel.err" &
QUORVEL_PID=$!

# The screen shows the viewport's light yellow, 405 x 361 pixels less the sheet's 405 x 197, and
# the white sheet (the panel's clock is white too, so at least that much white).
screen_shows() {
    rm -f "$E2E_WORK"/wayland-screenshot-*.png
    (cd "$E2E_WORK" && weston-screenshooter >/dev/null 2>&1) || true
    mv "$E2E_WORK"/wayland-screenshot-*.png "$shot" 2>/dev/null || { echo "no screenshot"; return; }
    echo "viewport $(count_colour 0 0 1280 800 "$viewport_colour"), sheet" \
        "$([ "$(count_colour 0 0 1280 800 255,255,255)" -ge 79000 ] && echo shown || echo missing)"
}
wait_until "viewport 66420, sheet shown" "the screen" screen_shows

/usr/bin/python3 "$(dirname "$0")/press.py" Quorvel Ende || fail "could not press Ende"
expect_exit 0
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: weston"
