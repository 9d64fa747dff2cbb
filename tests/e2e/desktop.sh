#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window on a real desktop: the real quorvel binary under a window manager on Xvfb, which
# decides the window's geometry and may refuse what the program asks, at the desktop's scale. The
# user's steps, in order: the first show, a mouse drag of the frame's corner outwards and then
# towards 150 x 150, maximise and restore, minimise and restore, two resizes to 10 x 10 from
# outside, and closing through the window manager; under openbox, a window manager that dies under
# the maximised window instead, and closing with "&Ende".
#   desktop.sh <quorvel binary> <openbox | xfwm4 | metacity | kwin | mutter> [scale, as lib.sh]
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop "$2" "${3:-none}"
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
outer_size() { outer_geometry | cut -d' ' -f3-; }
# The least outer size, 4000 x 6000 twips (266.7 x 400 logical pixels), in whole device pixels:
# not below it, and at most one logical pixel above it; at a fractional ratio one device pixel more,
# since the window manager takes the least client size from Qt in whole logical pixels.
at_minimum() {
    awk -v w="$1" -v h="$2" -v r="$RATIO" 'BEGIN { mw = 4000 / 15 * r; mh = 400 * r; above = r + (r != int(r))
        print (w >= mw - 0.001 && w <= mw + above && h >= mh - 0.001 && h <= mh + above) ? "yes" : "no" }'
}
wait_until yes "the frame" bash -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q = && echo yes"
read -r frame_l frame_r frame_t frame_b < <(frame_extents)

# First show: the designed client area, 554 x 374 logical pixels, grown where the frame leaves the
# window below its least height outside; centred on the screen with the real frame, within 3
# device pixels.
first_show() {
    local x y w h cw ch
    read -r x y w h < <(outer_geometry)
    read -r cw ch < <(inner_size)
    awk -v cw="$cw" -v ch="$ch" -v h="$h" -v r="$RATIO" -v fh=$((frame_t + frame_b)) 'BEGIN {
        width = cw - 554 * r <= 1 && 554 * r - cw <= 1
        height = 374 * r + fh >= 400 * r ? ch - 374 * r <= 1 && 374 * r - ch <= 1 : h >= 400 * r - 0.001 && h <= 401 * r
        print width && height ? "designed" : "not designed: " cw "x" ch " inside, " h " high outside" }'
}
wait_until designed "the first show" first_show
read -r x y w h < <(outer_geometry)
dx=$((2 * x + w - screen_w))
dy=$((2 * y + h - screen_h))
[ ${dx#-} -le 6 ] && [ ${dy#-} -le 6 ] || fail "the ${w}x${h} window at $x, $y is not centred"
step_done "first show"
echo "first show: frame $frame_l $frame_r $frame_t $frame_b, outer ${w}x$h at $x, $y," \
    "centre off by $(calc "$dx / 2"), $(calc "$dy / 2")"

# Drags of the frame's bottom-right corner by dx, dy in steps 50 ms apart, released once the
# window manager has caught up with the pointer. The corner is grabbed inside the border, or in
# the invisible resize border just outside the frame.
drag_corner() {
    local x0 y0 w0 h0 x y w h cx cy
    read -r x0 y0 w0 h0 < <(outer_geometry)
    x=$x0 y=$y0 w=$w0 h=$h0
    case "$WM_NAME" in metacity | kwin | mutter) cx=$((x + w + 1)) cy=$((y + h + 1)) ;; *) cx=$((x + w - 3)) cy=$((y + h - 3)) ;; esac
    # xdotool's --sync waits for the pointer to move, for many seconds where it is there already:
    # where the last drag left it, on the corner it moved.
    [ "$(xdotool getmouselocation --shell | head -n 2 | cut -d= -f2 | paste -sd' ')" = "$cx $cy" ] ||
        xdotool mousemove --sync "$cx" "$cy"
    xdotool sleep 0.3 mousedown 1
    for step in $(seq "$3"); do
        xdotool mousemove $((cx + $1 * step / $3)) $((cy + $2 * step / $3)) sleep 0.05
    done
    # On a busy machine the window manager is still following the pointer after the last step:
    # the button goes up once the corner has reached the pointer, or (where the window stops at its
    # least size) has stayed where it is for a second.
    local last="" same=0 off_x off_y
    for _ in $(seq 100); do
        read -r x y w h < <(outer_geometry)
        off_x=$((x + w - x0 - w0 - $1)) off_y=$((y + h - y0 - h0 - $2))
        [ ${off_x#-} -le 2 ] && [ ${off_y#-} -le 2 ] && break
        [ "$x $y $w $h" = "$last" ] && same=$((same + 1)) || same=0
        [ $same -ge 10 ] && break
        last="$x $y $w $h"
        sleep 0.1
    done
    xdotool mouseup 1
}
# Growing: the frame follows the pointer, so the drag reached the frame. A window manager on a busy
# machine may leave out the pointer's last steps.
read -r x0 y0 w0 h0 < <(outer_geometry)
drag_corner 120 90 10
read -r x y w h < <(settled)
[ $((w - w0)) -ge 60 ] && [ $((w - w0)) -le 125 ] && [ $((h - h0)) -ge 45 ] && [ $((h - h0)) -le 95 ] ||
    fail "a drag of the corner by 120, 90 took the window from ${w0}x$h0 to ${w}x$h"
step_done "after growing"

# Shrinking towards 150 x 150: the window stops at its least size, where it stood, without a
# fight.
read -r x0 y0 w0 h0 < <(outer_geometry)
xev -id "$window" -event structure >"$E2E_WORK/xev.log" 2>&1 &
xev=$!
sleep 0.3
drag_corner $((150 - w0)) $((150 - h0)) 20
read -r x y w h < <(settled)
kill $xev
configures=$(grep -c ConfigureNotify "$E2E_WORK/xev.log" || true)
[ "$(at_minimum "$w" "$h")" = yes ] || fail "a drag towards 150 x 150 ended at ${w}x$h outside"
[ "$x $y" = "$x0 $y0" ] || fail "the window jumped from $x0, $y0 to $x, $y"
[ "$configures" -le 80 ] || fail "$configures ConfigureNotify events for 20 pointer steps"
step_done "after shrinking"
echo "drag towards 150 x 150: outer ${w}x$h, $configures ConfigureNotify events"
least="$w $h"

# Maximise and restore, minimise and restore: the window comes back as it was.
maximised() { xprop -id "$window" _NET_WM_STATE | grep -o 'MAXIMIZED_[HV]' | sort -u | tr -d '\n'; }
maximise() {
    wmctrl -i -r "$window" -b add,maximized_horz,maximized_vert
    wait_until MAXIMIZED_HMAXIMIZED_V "maximised" maximised
    read -r x y w h < <(settled)
    [ "$w" -ge $((screen_w - 10)) ] && [ "$h" -ge $((screen_h - 10)) ] || fail "maximised to ${w}x$h"
    step_done "maximised"
}
maximise
wmctrl -i -r "$window" -b remove,maximized_horz,maximized_vert
wait_until "$least" "the outer size restored from maximised" outer_size
step_done "restored from maximised"
# A compositing window manager (mutter) keeps a minimised window mapped: the state says.
hidden() { xprop -id "$window" _NET_WM_STATE | grep -q '_NET_WM_STATE_HIDDEN' && echo yes || echo no; }
xdotool windowminimize "$window"
wait_until yes "minimised, hidden" hidden
wmctrl -i -a "$window"
wait_until no "restored, hidden" hidden
wait_until "$least" "the outer size restored from minimised" outer_size
step_done "restored from minimised"

# Resizes from outside below the least size, twice: the window manager holds the window at its
# least size, and no error box opens.
for _ in 1 2; do
    xdotool windowsize "$window" 10 10
    read -r x y w h < <(settled)
    [ "$(at_minimum "$w" "$h")" = yes ] || fail "a resize to 10 x 10 ended at ${w}x$h outside"
    step_done "resized to 10 x 10"
done

if [ "$WM_NAME" != openbox ]; then
    # Closing through the window manager ends the program normally.
    wmctrl -i -c "$window"
else
    # A window manager that dies under the maximised window leaves an unmanaged window, which the
    # program may resize: a resize from outside to 200 x 200 comes back to at least the least
    # size, with the nominal frame of 8 x 27 logical pixels (the least client size learned under
    # the window manager stays), and "&Ende", centred at (1657.5, 5227.5) twips, ends the program.
    maximise
    kill -9 "$WM_PID"
    wait "$WM_PID" 2>/dev/null || true
    WM_PID=
    xdotool windowsize "$window" 200 200
    unmanaged_size() {
        local w h
        read -r w h < <(inner_size)
        awk -v w="$w" -v h="$h" -v r="$RATIO" 'BEGIN {
            print (w < 1000 && w + 8 * r >= 4000 / 15 * r - 0.001 && h + 27 * r >= 400 * r - 0.001 ? "yes" : w "x" h) }'
    }
    wait_until yes "the client area without a window manager" unmanaged_size
    step_done "resized after the window manager died"
    xdotool mousemove --window "$window" "$(calc "int(1657.5 / 15 * r)")" "$(calc "int(5227.5 / 15 * r)")" click 1
fi
expect_exit 0
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME, scale $SCALE"
