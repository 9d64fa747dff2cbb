#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real quorvel binary as a native Wayland client of a headless weston: it shows its window
# (the compositor places it), and "&Ende", pressed through the accessibility bus, ends it with
# status 0 and nothing on stderr.
#   wayland.sh <quorvel binary>
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
weston_pid=
quorvel_pid=
cleanup() {
    [ -n "$quorvel_pid" ] && kill "$quorvel_pid" 2>/dev/null
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL [weston]: $*" >&2
    [ -s "$work/weston.log" ] && tail -n 20 "$work/weston.log" >&2
    exit 1
}

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The accessibility bus is started by the session bus on demand.
eval "$(dbus-launch --sh-syntax)"
socket=quorvel-test
weston --backend=headless-backend.so --use-pixman --socket=$socket --width=1280 --height=800 \
    --idle-time=0 --debug >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start"

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$binary" >"$work/quorvel.out" 2>"$work/quorvel.err" &
quorvel_pid=$!

# The screen shows the viewport's light yellow and the white template sheet with its border.
viewport=0
for _ in $(seq 50); do
    rm -f "$work"/wayland-screenshot-*.png
    (cd "$work" && WAYLAND_DISPLAY=$socket weston-screenshooter >/dev/null 2>&1) || true
    screenshot=$(ls "$work"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    if [ -n "$screenshot" ]; then
        viewport=$(convert "$screenshot" -fill black +opaque "rgb(255,255,192)" -fill white \
            -opaque "rgb(255,255,192)" -format '%[fx:int(mean*w*h+0.5)]' info:)
        [ "$viewport" -ge 60000 ] && break
    fi
    sleep 0.2
done
# 405 x 361 pixels of viewport less the sheet's 405 x 197.
[ "$viewport" -ge 60000 ] || fail "the viewport's colour covers $viewport pixels of the screen"
sheet=$(convert "$screenshot" -fill black +opaque "rgb(255,255,255)" -fill white -opaque "rgb(255,255,255)" \
    -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$sheet" -ge 75000 ] || fail "the white sheet covers $sheet pixels of the screen"

/usr/bin/python3 "$here/press.py" Quorvel Ende || fail "could not press Ende"
status=0
for _ in $(seq 50); do
    kill -0 "$quorvel_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$quorvel_pid" 2>/dev/null && fail "quorvel is still running after Ende"
wait "$quorvel_pid" || status=$?
quorvel_pid=
[ "$status" -eq 0 ] || fail "exit status $status: $(head -n 40 "$work/quorvel.err")"
[ -s "$work/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$work/quorvel.err")"
echo "ok: weston (viewport $viewport pixels, sheet $sheet pixels)"
