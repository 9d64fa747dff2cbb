#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window on two monitors side by side on one X screen, L at a device pixel ratio of 1 and R,
# the primary, at another (QT_SCREEN_SCALE_FACTORS), under a real window manager or none. The user's
# steps: the program opens centred on the monitor under the pointer, L; a resize from outside to
# 100 x 100 on either monitor ends at that monitor's least size, which the window manager is told;
# the monitor under the window goes away and comes back. After each step the program runs on with
# one window, the viewport fills it (seen in a screenshot, at the ratio of the monitor the window is
# on), and the window is at rest. How the window is framed, placed and sized as it opens on R and
# passes over L is staged step by step in X11MonitorsTest, where it shows every time.
#   monitors.sh <quorvel binary> <openbox | kwin | none> <ratio of R>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
ratio_r=$3
monitors() {
    xrandr --setmonitor L 1920/300x1080/200+0+0 none >/dev/null
    xrandr --setmonitor R 1920/300x1080/200+1920+0 screen >/dev/null
    xrandr --output screen --primary
}
start_desktop "$2" none 3840x1080 monitors
export QT_SCREEN_SCALE_FACTORS="L=1;R=$ratio_r"
origin() { [ "$1" = L ] && echo 0 || echo 1920; }

# The window is on a monitor: its ratio holds for the sizes expected.
on() { RATIO=$([ "$1" = L ] && echo 1 || echo "$ratio_r"); }
move_to() {
    on "$1"
    if [ "$WM_NAME" = none ]; then
        xdotool windowmove "$window" $(($(origin "$1") + 300)) 200
    else
        wmctrl -i -r "$window" -e "0,$(($(origin "$1") + 300)),200,-1,-1"
    fi
}
expect_least() {
    wait_until "$(least_client)" "$1: the client area" inner_size
    wait_until "$(least_client)" "$1: the least size told" least_hint
    expect_sound "$1"
}

xdotool mousemove 960 540
start_quorvel "$1"
on L
wait_until "$(designed_client)" "the first show" inner_size
expect_centred "first show" 0 1920 1080
expect_sound "first show"

for monitor in L R; do
    [ "$monitor" = L ] || move_to R
    xdotool windowsize "$window" 100 100
    expect_least "resized to 100 x 100 on $monitor"
done

# L goes away under the window, which ends on R, and comes back.
move_to L
wait_until yes "moved onto L" bash -c "[ \"\$(xwininfo -id $window | awk '/Absolute upper-left X/ {print \$4}')\" -lt 1920 ] && echo yes"
settled >/dev/null
xrandr --delmonitor L >/dev/null
on R
on_r() { read -r x y w h < <(outer_geometry) && [ $((x + w)) -gt 1920 ] && echo yes; }
wait_until yes "L gone: the window on R" on_r
expect_sound "L gone"
xrandr --setmonitor L 1920/300x1080/200+0+0 none >/dev/null
expect_sound "L back"

[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME, R at $ratio_r"
