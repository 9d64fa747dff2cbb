#!/usr/bin/env bash
# The window on a real desktop: the real quorvel binary under a window manager on Xvfb, which
# decides the window's geometry and may refuse what the program asks. The user's steps, in order:
# the first show, a mouse drag of the frame's corner outwards and then towards 150 x 150, maximise
# and restore, minimise and restore, and closing through the window manager.
#   desktop.sh <quorvel binary> <openbox | xfwm4 | metacity | kwin>
set -euo pipefail
binary=$1
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop "$2"
read -r screen_w screen_h < <(screen_size)

# The minimum outer size, 4000 x 6000 twips: 4000 twips are 266.7 pixels, shown at 267.
min_outer_w=267
min_outer_h=400

start_quorvel "$binary"

# A window manager that reshapes or refuses what the program asks is no error of the program:
# after each step the main window is the program's only window, with no error box beside it.
expect_no_error_box() {
    local windows
    windows=$(xdotool search --onlyvisible --pid "$QUORVEL_PID" 2>/dev/null | wc -l)
    [ "$windows" -eq 1 ] || fail "$1: the program shows $windows windows (an error box?)"
}

# Waits until the window manager has framed the window.
for _ in $(seq 50); do
    xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = && break
    sleep 0.1
done
read -r frame_l frame_r frame_t frame_b < <(frame_extents)
[ $((frame_t)) -gt 0 ] || fail "no title bar in the frame ($frame_l $frame_r $frame_t $frame_b)"
frame_w=$((frame_l + frame_r))
frame_h=$((frame_t + frame_b))

# --- First show: the designed client area, 554 x 374, grown where the frame leaves the window
# below the minimum height; centred on the screen with the real frame.
want_h=$((374 + frame_h < min_outer_h ? min_outer_h - frame_h : 374))
wait_for_size 554 "$want_h"
read -r x y w h < <(outer_geometry)
dx=$((2 * x + w - screen_w))
dy=$((2 * y + h - screen_h))
[ ${dx#-} -le 6 ] && [ ${dy#-} -le 6 ] ||
    fail "not centred: the ${w}x${h} window stands at $x, $y on a ${screen_w}x${screen_h} screen"
expect_viewport_fills "first show"
expect_no_error_box "first show"
echo "first show: frame $frame_l $frame_r $frame_t $frame_b, client 554x$want_h, outer ${w}x$h at $x, $y"

# --- Mouse drags of the frame's bottom-right corner. Where the corner is grabbed is the window
# manager's: inside its border, or in the invisible resize border just outside the frame.
corner() {
    local x y w h
    read -r x y w h < <(outer_geometry)
    case "$WM_NAME" in
    metacity | kwin) echo $((x + w + 1)) $((y + h + 1)) ;;
    *) echo $((x + w - 3)) $((y + h - 3)) ;;
    esac
}
# Presses on the corner and moves it by dx, dy in the given number of steps, 50 ms apart.
drag_corner() {
    local dx=$1 dy=$2 steps=$3 cx cy
    read -r cx cy < <(corner)
    xdotool mousemove --sync "$cx" "$cy"
    sleep 0.3
    xdotool mousedown 1
    for step in $(seq "$steps"); do
        xdotool mousemove $((cx + dx * step / steps)) $((cy + dy * step / steps))
        sleep 0.05
    done
    xdotool mouseup 1
}
# Waits until the outer size has stayed the same for half a second; prints it.
settled_outer_size() {
    local last="" now same=0
    for _ in $(seq 50); do
        now=$(outer_geometry)
        if [ "$now" = "$last" ]; then
            same=$((same + 1))
            [ $same -ge 5 ] && break
        else
            same=0
        fi
        last=$now
        sleep 0.1
    done
    echo "$now"
}

# Growing: the frame follows the pointer, so the drag reached the frame.
read -r x0 y0 w0 h0 < <(outer_geometry)
drag_corner 120 90 10
read -r x y w h < <(settled_outer_size)
[ ${w} -ge $((w0 + 115)) ] && [ ${w} -le $((w0 + 125)) ] && [ ${h} -ge $((h0 + 85)) ] && [ ${h} -le $((h0 + 95)) ] ||
    fail "a drag of the corner by 120, 90 took the window from ${w0}x$h0 to ${w}x$h"
expect_viewport_fills "after growing"
expect_no_error_box "after growing"

# Shrinking towards 150 x 150: the window stops at the minimum, where it stood, without a fight.
read -r x0 y0 w0 h0 < <(outer_geometry)
xev -id "$window" -event structure >"$E2E_WORK/xev.log" 2>&1 &
xev_pid=$!
sleep 0.3
drag_corner $((x0 + 150 - (w0 + x0))) $((y0 + 150 - (h0 + y0))) 20
read -r x y w h < <(settled_outer_size)
kill "$xev_pid"
wait "$xev_pid" 2>/dev/null || true
configures=$(grep -c ConfigureNotify "$E2E_WORK/xev.log" || true)
[ "$w" -eq $min_outer_w ] && [ "$h" -eq $min_outer_h ] ||
    fail "a drag towards 150 x 150 ended at ${w}x$h outside, expected ${min_outer_w}x$min_outer_h"
[ "$x" -eq "$x0" ] && [ "$y" -eq "$y0" ] || fail "the window jumped from $x0, $y0 to $x, $y"
[ "$configures" -le 80 ] || fail "$configures ConfigureNotify events for 20 pointer steps"
expect_viewport_fills "after shrinking"
expect_no_error_box "after shrinking"
echo "drag towards 150 x 150: outer ${w}x$h, $configures ConfigureNotify events"

# --- Maximise and restore.
maximised() {
    xprop -id "$window" _NET_WM_STATE | grep -q '_NET_WM_STATE_MAXIMIZED_HORZ.*_NET_WM_STATE_MAXIMIZED_VERT\|_NET_WM_STATE_MAXIMIZED_VERT.*_NET_WM_STATE_MAXIMIZED_HORZ'
}
wmctrl -i -r "$window" -b add,maximized_horz,maximized_vert
for _ in $(seq 50); do
    maximised && break
    sleep 0.1
done
read -r x y w h < <(settled_outer_size)
[ "$w" -ge $((screen_w - 10)) ] && [ "$h" -ge $((screen_h - 10)) ] || fail "maximised to ${w}x$h"
expect_viewport_fills "maximised"
expect_no_error_box "maximised"
wmctrl -i -r "$window" -b remove,maximized_horz,maximized_vert
for _ in $(seq 50); do
    maximised || break
    sleep 0.1
done
maximised && fail "still maximised"
wait_for_size $((min_outer_w - frame_w)) $((min_outer_h - frame_h))
expect_viewport_fills "restored from maximised"
expect_no_error_box "restored from maximised"

# --- Minimise and restore: the window comes back as it was.
xdotool windowminimize "$window"
for _ in $(seq 50); do
    xwininfo -id "$window" | grep -q 'Map State: IsViewable' || break
    sleep 0.1
done
xwininfo -id "$window" | grep -q 'Map State: IsViewable' && fail "not minimised"
wmctrl -i -a "$window"
for _ in $(seq 50); do
    xwininfo -id "$window" | grep -q 'Map State: IsViewable' && break
    sleep 0.1
done
wait_for_size $((min_outer_w - frame_w)) $((min_outer_h - frame_h))
expect_viewport_fills "restored from minimised"
expect_no_error_box "restored from minimised"

# --- Closing through the window manager ends the program normally.
wmctrl -i -c "$window"
expect_exit 0
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME"
