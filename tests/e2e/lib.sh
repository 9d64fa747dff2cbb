# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the end-to-end tests share: a private display with or without a window manager, at a device
# pixel ratio of 1 or another, the real quorvel binary on it, its geometry as the X server has it
# (in device pixels), screenshots and their pixels. Every file and process a test makes is removed
# or stopped when it exits, also when it fails.
#   source lib.sh; start_desktop <window manager or none> [scale]; start_quorvel <binary>

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../scripts/xvfb.sh"
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../scripts/wm.sh"

E2E_WORK=$(mktemp -d)
shot="$E2E_WORK/shot.png"
QUORVEL_PID=
WM_PID=
WM_NAME=none
# How the desktop scales the program: none; xft:<dpi>, the X resource GNOME, Xfce and KDE write,
# which Qt takes as a device pixel ratio of dpi / 96; or qt:<factor>, QT_SCALE_FACTOR, as KDE may
# set it. RATIO is the device pixel ratio that follows.
SCALE=none
RATIO=1
viewport_colour="255,255,192"

fail() {
    echo "FAIL [$WM_NAME, scale $SCALE]: $*" >&2
    [ -s "$E2E_WORK/wm.log" ] && tail -n 20 "$E2E_WORK/wm.log" >&2
    exit 1
}

e2e_cleanup() {
    set +e
    for pid in $QUORVEL_PID $WM_PID ${DBUS_SESSION_BUS_PID:-}; do kill "$pid" 2>/dev/null; done
    stop_xvfb
    wait 2>/dev/null
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

# The value of an awk expression, in which r is the device pixel ratio.
calc() { awk -v r="$RATIO" "BEGIN { print $1 }"; }

# Starts Xvfb (twice as large where the program is scaled, unless a screen size is given), the
# desktop's scale, a command that lays out its monitors where one is given, and the window manager
# unless wm is none.
start_desktop() {
    WM_NAME=$1
    SCALE=${2:-none}
    local screen=${3:-} monitors=${4:-}
    case "$SCALE" in
    none) RATIO=1 ;;
    xft:*) RATIO=$(awk -v dpi="${SCALE#xft:}" 'BEGIN { print dpi / 96 }') ;;
    qt:*) RATIO=${SCALE#qt:} ;;
    *) fail "unknown scale" ;;
    esac
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    [ -n "$screen" ] || screen=$([ "$RATIO" = 1 ] && echo 1280x1024 || echo 2560x1600)
    start_xvfb "$screen" || fail "Xvfb did not start"
    case "$SCALE" in xft:*) echo "Xft.dpi: ${SCALE#xft:}" | xrdb -merge ;; esac
    [ -z "$monitors" ] || "$monitors"
    [ "$WM_NAME" = none ] && return 0
    start_window_manager "$WM_NAME" "$E2E_WORK/wm.log" && return 0
    fail "$WM_NAME did not take over the screen"
}

# Starts quorvel and waits for its window.
start_quorvel() {
    local scale=()
    case "$SCALE" in qt:*) scale=("QT_SCALE_FACTOR=$RATIO") ;; esac
    env QT_QPA_PLATFORM=xcb "${scale[@]}" "$1" 2>"$E2E_WORK/quorvel.err" &
    QUORVEL_PID=$!
    await_window
}

# Waits for the program's window. A search fails when a window it looks at goes away meanwhile
# (KWin makes and ends windows of its own as it starts): it is searched again.
await_window() {
    window=
    for _ in $(seq 150); do
        window=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && return 0
        sleep 0.2
    done
    fail "no window"
}

# Ends the program, as a new start needs.
stop_quorvel() {
    kill "$QUORVEL_PID"
    wait "$QUORVEL_PID" 2>/dev/null || true
    QUORVEL_PID=
}

# Waits for the program to end with the exit status given.
expect_exit() {
    local status=0
    for _ in $(seq 100); do
        kill -0 "$QUORVEL_PID" 2>/dev/null || break
        sleep 0.1
    done
    wait "$QUORVEL_PID" || status=$?
    QUORVEL_PID=
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

# Waits until a command's output equals what is wanted, or fails saying what it was.
wait_until() {
    local want=$1 what=$2 got
    shift 2
    for _ in $(seq 50); do
        got=$("$@") || true
        [ "$got" = "$want" ] && return 0
        sleep 0.1
    done
    fail "$what: $got, expected $want"
}

# The X screen's size, "width height".
screen_size() { xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}'; }
# The client area, "x y width height" on the screen. xdotool counts the place of a window inside a
# window manager's frame twice; xwininfo does not.
client_geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}
inner_size() { client_geometry | cut -d' ' -f3-; }
# The window manager's frame around the client: "left right top bottom".
frame_extents() {
    local extents
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
    echo "${extents:-0 0 0 0}"
}
# The window as the user sees it, frame included: "x y width height".
outer_geometry() {
    local x y w h l r t b
    read -r x y w h < <(client_geometry)
    read -r l r t b < <(frame_extents)
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# A screenshot of the window.
take_shot() { import -window "$window" "$shot"; }
# The colours of several pixels, "r,g,b" each, from one reading of the screenshot: pixels x y [x y ...]
pixels() {
    local format=""
    while [ $# -ge 2 ]; do
        format+="%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)] "
        shift 2
    done
    convert "$shot" -format "${format% }" info:
}
# The number of pixels of a colour in an area w x h at x, y of the screenshot: count_colour x y w h r,g,b
count_colour() {
    convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -fill black +opaque "rgb($5)" -fill white -opaque "rgb($5)" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

# The viewport fills the client area less the margins measured at start-up, 2235 twips (149
# logical pixels) of width and 195 twips (13 logical pixels) of height from (144, 8): its right
# and bottom edges lie 5 logical pixels inside the client area. The device pixels next to an edge
# have the viewport's colour inside and another outside; where the edge falls between device
# pixels, the one it splits is left out.
viewport_edges() {
    local w h x_in x_out y_in y_out x_sheet
    read -r w h < <(inner_size)
    read -r x_in x_out y_in y_out x_sheet < <(awk -v w="$w" -v h="$h" -v r="$RATIO" '
        function inside(e) { return int(e + 0.999) - 1 - (e != int(e)) }
        function outside(e) { return int(e) + (e != int(e)) }
        BEGIN { x = (int(w / r + 0.5) - 5) * r; y = (int(h / r + 0.5) - 5) * r
                print inside(x), outside(x), inside(y), outside(y), int(150 * r) }')
    take_shot
    local right_in right_out bottom_in bottom_out
    read -r right_in right_out bottom_in bottom_out < <(pixels "$x_in" "$((y_in - 1))" "$x_out" "$((y_in - 1))" \
        "$x_sheet" "$y_in" "$x_sheet" "$y_out")
    [ "$right_in" = $viewport_colour ] && [ "$right_out" != $viewport_colour ] &&
        [ "$bottom_in" = $viewport_colour ] && [ "$bottom_out" != $viewport_colour ] &&
        echo "fills" || echo "does not fill $w $h"
}

# The window manager's state of the window as far as it sizes the window: "", "MAXIMIZED_HMAXIMIZED_V",
# "FULLSCREEN" ...
window_state() { xprop -id "$window" _NET_WM_STATE | grep -o 'MAXIMIZED_[HV]\|FULLSCREEN' | sort -u | tr -d '\n' || true; }
# The outer geometry and the state, once they have stayed the same for half a second.
settled() {
    local last="" now same=0
    for _ in $(seq 100); do
        now="$(outer_geometry) $(window_state)"
        [ "$now" = "$last" ] && same=$((same + 1)) || same=0
        [ $same -ge 5 ] && echo "$now" && return 0
        last=$now
        sleep 0.1
    done
    fail "the window did not settle: $now"
}

# After a step: the program runs on with its one window, no error box beside it, and the viewport
# fills the client area, as the command in viewport_check sees it.
viewport_check=viewport_edges
step_done() {
    settled >/dev/null
    expect_one_window "$1"
    wait_until fills "$1: the viewport" "$viewport_check"
}
# After a step, moreover: the window at rest, and in the normal state its client area at least the
# least size, or its outer size the screen's where the screen has no room for that.
expect_sound() {
    local w h lw lh l r t b sw sh state
    step_done "$1"
    state=$(window_state)
    if [ -z "$state" ]; then
        read -r w h < <(inner_size)
        read -r lw lh < <(least_client)
        read -r l r t b < <(frame_extents)
        read -r sw sh < <(screen_size)
        { [ "$w" -ge "$lw" ] || [ $((w + l + r)) -ge "$sw" ]; } && { [ "$h" -ge "$lh" ] || [ $((h + t + b)) -ge "$sh" ]; } ||
            fail "$1: the client area is ${w}x$h on a ${sw}x$sh screen, below ${lw}x$lh"
    fi
    expect_at_rest "$1"
    echo "$1: ${state:-normal}, outer $(outer_geometry), least hint $(least_hint)"
}
expect_one_window() {
    local windows
    kill -0 "$QUORVEL_PID" 2>/dev/null || fail "$1: the program ended"
    windows=$(xdotool search --onlyvisible --pid "$QUORVEL_PID" | wc -l)
    [ "$windows" -eq 1 ] || fail "$1: $windows windows, an error box among them"
}

# No configure of the window for half a second: the window and the window manager do not exchange
# sizes without end.
expect_at_rest() {
    xev -id "$window" -event structure >"$E2E_WORK/xev.log" 2>&1 &
    local xev=$! events
    sleep 0.5
    kill $xev
    wait $xev 2>/dev/null || true
    events=$(grep -c ConfigureNotify "$E2E_WORK/xev.log" || true)
    [ "$events" -eq 0 ] || fail "$1: $events configures of a window that should be at rest"
}

# The least client area in device pixels, "width height": 4000 x 6000 twips (266.7 x 400 logical
# pixels) outside, less the frame (the window manager's, or without one the nominal frame of 8 x 27
# logical pixels), in whole logical pixels.
least_client() {
    local l r t b
    read -r l r t b < <(frame_extents)
    awk -v r="$RATIO" -v fw=$((l + r)) -v fh=$((t + b)) -v none="$([ "$WM_NAME" = none ] && echo 1)" '
        function up(x) { return x == int(x) ? x : int(x) + 1 }
        BEGIN { if (none) { fw = 8 * r; fh = 27 * r }
                print int(up(4000 / 15 - fw / r - 1e-6) * r + 0.5), int(up(400 - fh / r - 1e-6) * r + 0.5) }'
}
# The designed client area, 554 x 374 logical pixels, grown where the frame leaves it below the
# least height outside, "width height" in device pixels.
designed_client() {
    awk -v r="$RATIO" -v least="$(least_client | cut -d' ' -f2)" 'BEGIN {
        h = int(least / r + 0.5); if (h < 374) h = 374; print int(554 * r + 0.5), int(h * r + 0.5) }'
}
# The window centred, within 3 device pixels, on an area of the screen from its left edge x:
# centred with the window manager's frame, or without one with the nominal frame of 8 x 27 logical
# pixels (4 on each side below a 19 pixel caption bar). A window manager that frames the window late
# has it centred again a moment later.
#   expect_centred step x width height
centred() {
    local x y w h dx dy
    read -r x y w h < <(outer_geometry)
    [ "$WM_NAME" != none ] || read -r x y w h < <(calc "int($x - 4 * r), int($y - 23 * r), int($w + 8 * r), int($h + 27 * r)")
    dx=$((2 * (x - $1) + w - $2)) dy=$((2 * y + h - $3))
    [ ${dx#-} -le 6 ] && [ ${dy#-} -le 6 ] && echo centred || echo "${w}x$h at $x, $y"
}
expect_centred() { wait_until centred "$1: the window" centred "$2" "$3" "$4"; }
# The least client size that the window manager is told, "width height" in device pixels.
least_hint() { xprop -id "$window" WM_NORMAL_HINTS | sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p'; }

# Drags the frame's bottom-right corner by dx, dy in steps 50 ms apart, released once the window
# manager has caught up with the pointer. The corner is grabbed inside the border, or in the
# invisible resize border just outside the frame (Windows' own frame, drawn by Wine, has one too).
#   drag_corner dx dy steps
drag_corner() {
    local x0 y0 w0 h0 x y w h cx cy
    read -r x0 y0 w0 h0 < <(outer_geometry)
    x=$x0 y=$y0 w=$w0 h=$h0
    case "$WM_NAME" in metacity | kwin | mutter | windows) cx=$((x + w + 1)) cy=$((y + h + 1)) ;; *) cx=$((x + w - 3)) cy=$((y + h - 3)) ;; esac
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
