#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window on a real desktop: the real quorvel binary under a window manager on Xvfb, which
# decides the window's geometry and may refuse what the program asks, at the desktop's scale. The
# user's steps, in order: the first show, a mouse drag of the frame's corner outwards and then
# towards 150 x 150, maximise and restore, minimise and restore, two resizes to 10 x 10 from
# outside, and closing through the window manager; under openbox and KWin at a ratio of 1, the
# states toggled 400 times.
#   desktop.sh <quorvel binary> <openbox | xfwm4 | metacity | kwin | mutter> [scale, as lib.sh]
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop "$2" "${3:-none}"
read -r screen_w screen_h < <(screen_size)
start_quorvel "$1"

# A window manager that reshapes or refuses what the program asks is no error of the program:
# after each step the window is right, and the program's only one, with no error box beside it.
outer_size() { outer_geometry | cut -d' ' -f3-; }
wait_until yes "the frame" bash -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q = && echo yes"

# First show: the designed client area, centred on the screen with the real frame.
wait_until "$(designed_client)" "the first show" inner_size
expect_centred "first show" 0 "$screen_w" "$screen_h"
step_done "first show"
echo "first show: frame $(frame_extents), outer $(outer_geometry)"

# Growing: the frame follows the pointer, so the drag reached the frame. A window manager on a busy
# machine may leave out the pointer's last steps.
read -r x0 y0 w0 h0 < <(outer_geometry)
drag_corner 120 90 10
read -r x y w h _ < <(settled)
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
read -r x y w h _ < <(settled)
kill $xev
configures=$(grep -c ConfigureNotify "$E2E_WORK/xev.log" || true)
wait_until "$(least_client)" "a drag towards 150 x 150" inner_size
[ "$x $y" = "$x0 $y0" ] || fail "the window jumped from $x0, $y0 to $x, $y"
[ "$configures" -le 80 ] || fail "$configures ConfigureNotify events for 20 pointer steps"
step_done "after shrinking"
echo "drag towards 150 x 150: outer ${w}x$h, $configures ConfigureNotify events"
least="$w $h"

# Maximise and restore, minimise and restore: the window comes back as it was.
wmctrl -i -r "$window" -b add,maximized_horz,maximized_vert
wait_until MAXIMIZED_HMAXIMIZED_V "maximised" window_state
read -r x y w h _ < <(settled)
[ "$w" -ge $((screen_w - 10)) ] && [ "$h" -ge $((screen_h - 10)) ] || fail "maximised to ${w}x$h"
step_done "maximised"
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

# Under openbox and KWin, maximised and restored 200 times from outside, then made full screen and
# back 200 times, as quick double clicks and keys do: the window manager changes the state, the
# frame and the size one after the other each time. Each time a resize from outside to 100 x 100
# ends at the least size, which the window manager is told.
if [ "$SCALE" = none ] && [[ $WM_NAME =~ ^(openbox|kwin)$ ]]; then
    for state in maximized_vert,maximized_horz fullscreen; do
        for _ in $(seq 200); do
            wmctrl -i -r "$window" -b "add,$state"
            wmctrl -i -r "$window" -b "remove,$state"
        done
        read -r _ _ _ _ now < <(settled)
        [ -z "${now:-}" ] || fail "after the toggles of $state the window is $now"
        xdotool windowsize "$window" 100 100
        wait_until "$(least_client)" "$state toggled, then resized to 100 x 100" inner_size
        wait_until "$(least_client)" "$state toggled: the least size told" least_hint
        expect_sound "$state toggled"
    done
fi

# Resizes from outside below the least size, twice: the window manager holds the window at its
# least size, and no error box opens.
for _ in 1 2; do
    xdotool windowsize "$window" 10 10
    wait_until "$(least_client)" "a resize to 10 x 10" inner_size
    step_done "resized to 10 x 10"
done

# Closing through the window manager ends the program normally.
wmctrl -i -c "$window"
expect_exit 0
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME, scale $SCALE"
