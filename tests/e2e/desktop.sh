#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window on a real desktop: the real quorvel binary under a window manager on Xvfb, which
# decides the window's geometry and may refuse what the program asks. The user's steps, in order:
# the first show, a mouse drag of the frame's corner outwards and then towards 150 x 150, maximise
# and restore, minimise and restore, and closing through the window manager.
#   desktop.sh <quorvel binary> <openbox | xfwm4 | metacity | kwin>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop "$2"
read -r screen_w screen_h < <(xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}')
start_quorvel "$1"

# A window manager that reshapes or refuses what the program asks is no error of the program:
# after each step the window is right, and the program's only one, with no error box beside it.
step_done() {
    expect_viewport_fills "$1"
    local windows
    windows=$(xdotool search --onlyvisible --pid "$QUORVEL_PID")
    [ "$(wc -l <<<"$windows")" -eq 1 ] ||
        fail "$1: more than one window:$(for w in $windows; do xwininfo -id "$w" | sed -n '2p;/geometry/p'; xprop -id "$w" WM_CLASS _NET_WM_WINDOW_TYPE; done)"
}
settled() { # the outer geometry, once it has stayed the same for half a second
    local last="" now same=0
    while [ $same -lt 5 ]; do
        now=$(outer_geometry)
        [ "$now" = "$last" ] && same=$((same + 1)) || same=0
        last=$now
        sleep 0.1
    done
    echo "$now"
}
wait_until yes "the frame" bash -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q = && echo yes"
read -r frame_l frame_r frame_t frame_b < <(frame_extents)
frame_w=$((frame_l + frame_r))
frame_h=$((frame_t + frame_b))

# First show: the designed client area, 554 x 374, grown where the frame leaves the window below
# the minimum of 6000 twips (400 pixels) outside; centred on the screen with the real frame.
wait_for_size 554 $((374 + frame_h < 400 ? 400 - frame_h : 374))
read -r x y w h < <(outer_geometry)
dx=$((2 * x + w - screen_w))
dy=$((2 * y + h - screen_h))
[ ${dx#-} -le 6 ] && [ ${dy#-} -le 6 ] || fail "the ${w}x${h} window at $x, $y is not centred"
step_done "first show"
echo "first show: frame $frame_l $frame_r $frame_t $frame_b, outer ${w}x$h at $x, $y"

# Drags of the frame's bottom-right corner by dx, dy in steps 50 ms apart. The corner is grabbed
# inside the border, or in the invisible resize border just outside the frame.
drag_corner() {
    local x y w h cx cy
    read -r x y w h < <(outer_geometry)
    case "$WM_NAME" in metacity | kwin) cx=$((x + w + 1)) cy=$((y + h + 1)) ;; *) cx=$((x + w - 3)) cy=$((y + h - 3)) ;; esac
    xdotool mousemove --sync "$cx" "$cy" sleep 0.3 mousedown 1
    for step in $(seq "$3"); do
        xdotool mousemove $((cx + $1 * step / $3)) $((cy + $2 * step / $3)) sleep 0.05
    done
    xdotool mouseup 1
}
# Growing: the frame follows the pointer, so the drag reached the frame.
read -r x0 y0 w0 h0 < <(outer_geometry)
drag_corner 120 90 10
read -r x y w h < <(settled)
[ $((w - w0 - 120)) -ge -5 ] && [ $((w - w0 - 120)) -le 5 ] && [ $((h - h0 - 90)) -ge -5 ] && [ $((h - h0 - 90)) -le 5 ] ||
    fail "a drag of the corner by 120, 90 took the window from ${w0}x$h0 to ${w}x$h"
step_done "after growing"

# Shrinking towards 150 x 150: the window stops at the minimum, 4000 x 6000 twips (267 x 400
# pixels) outside, where it stood, without a fight.
read -r x0 y0 w0 h0 < <(outer_geometry)
xev -id "$window" -event structure >"$E2E_WORK/xev.log" 2>&1 &
xev=$!
sleep 0.3
drag_corner $((150 - w0)) $((150 - h0)) 20
read -r x y w h < <(settled)
kill $xev
configures=$(grep -c ConfigureNotify "$E2E_WORK/xev.log" || true)
[ "$w $h" = "267 400" ] || fail "a drag towards 150 x 150 ended at ${w}x$h outside"
[ "$x $y" = "$x0 $y0" ] || fail "the window jumped from $x0, $y0 to $x, $y"
[ "$configures" -le 80 ] || fail "$configures ConfigureNotify events for 20 pointer steps"
step_done "after shrinking"
echo "drag towards 150 x 150: outer ${w}x$h, $configures ConfigureNotify events"

# Maximise and restore, minimise and restore: the window comes back as it was.
maximised() { xprop -id "$window" _NET_WM_STATE | grep -o 'MAXIMIZED_[HV]' | sort -u | tr -d '\n'; }
wmctrl -i -r "$window" -b add,maximized_horz,maximized_vert
wait_until MAXIMIZED_HMAXIMIZED_V "maximised" maximised
read -r x y w h < <(settled)
[ "$w" -ge $((screen_w - 10)) ] && [ "$h" -ge $((screen_h - 10)) ] || fail "maximised to ${w}x$h"
step_done "maximised"
wmctrl -i -r "$window" -b remove,maximized_horz,maximized_vert
wait_for_size $((267 - frame_w)) $((400 - frame_h))
step_done "restored from maximised"
viewable() { xwininfo -id "$window" | grep -q 'Map State: IsViewable' && echo yes || echo no; }
xdotool windowminimize "$window"
wait_until no "minimised, viewable" viewable
wmctrl -i -a "$window"
wait_until yes "restored, viewable" viewable
wait_for_size $((267 - frame_w)) $((400 - frame_h))
step_done "restored from minimised"

# Closing through the window manager ends the program normally.
wmctrl -i -c "$window"
expect_exit 0
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME"
