#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Monitors and scales that make no sense, which the window system and its users may give all the
# same, under a window manager: scale factors for monitors that do not exist, of 0, below it, of
# 1000 and of no number; a monitor of 1 x 1 pixel under the pointer; monitors that overlap; the
# monitors changed in the middle of a drag of the frame. Each time the program runs on with one
# window, no error box, at its least size or above where there is room, the viewport filling it,
# and the window at rest.
#   bad-monitors.sh <quorvel binary> <window manager>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
layout() { # name, then monitors as name/width x height+x+y, the first holding the output
    for monitor in $(xrandr --listmonitors | awk 'NR > 1 { print $2 }' | tr -d '+*'); do
        xrandr --delmonitor "$monitor" >/dev/null 2>&1 || true
    done
    local output=screen
    for monitor in "$@"; do
        read -r name w h x y < <(tr '/x+' '    ' <<<"$monitor")
        xrandr --setmonitor "$name" "$w/300x$h/200+$x+$y" $output >/dev/null
        output=none
    done
}
start_desktop "$2" none 3840x1080
restart() {
    [ -z "$QUORVEL_PID" ] || stop_quorvel
    start_quorvel "$1"
    settled >/dev/null
}

layout L/1920x1080+0+0 R/1920x1080+1920+0
xdotool mousemove 960 540
QT_SCREEN_SCALE_FACTORS="L=1000;R=-1;X=2;0;abc" restart "$1"
expect_sound "factors of 1000, -1 and abc, and for a monitor that does not exist"

layout L/1920x1080+0+0 T/1x1+2500+500
xdotool mousemove 2500 500
QT_SCREEN_SCALE_FACTORS="L=1;T=2" restart "$1"
# The window opens on it or beside it, as Qt sees the monitor; brought onto L, it is sound.
settled >/dev/null
expect_one_window "a monitor of 1 x 1 under the pointer"
expect_at_rest "a monitor of 1 x 1 under the pointer"
wmctrl -i -r "$window" -e 0,100,100,-1,-1
expect_sound "a monitor of 1 x 1 under the pointer, then onto L"

layout L/1920x1080+0+0 R/1920x1080+1000+0
xdotool mousemove 1500 500
QT_SCREEN_SCALE_FACTORS="L=1;R=2" restart "$1"
expect_sound "monitors that overlap"

# The monitors change under a drag of the frame: R goes, and comes back at another scale.
layout L/1920x1080+0+0 R/1920x1080+1920+0
xdotool mousemove 960 540
QT_SCREEN_SCALE_FACTORS="L=1;R=2" restart "$1"
read -r x y w h < <(outer_geometry)
xdotool mousemove --sync $((x + w - 3)) $((y + h - 3)) sleep 0.3 mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove $((x + w - 3 + 40 * step)) $((y + h - 3 + 30 * step)) sleep 0.05
    [ $step = 2 ] && layout L/1920x1080+0+0
    [ $step = 4 ] && layout L/1920x1080+0+0 R/1920x1080+1920+0
done
xdotool mouseup 1
settled >/dev/null
expect_one_window "the monitors changed in a drag"
# Brought back onto L, it is as sound as before.
wmctrl -i -r "$window" -e 0,100,100,-1,-1
expect_sound "the monitors changed in a drag, then onto L"
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME"
