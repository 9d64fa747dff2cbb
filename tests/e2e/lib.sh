# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the end-to-end tests share: a private display with or without a window manager, the real
# quorvel binary on it, its geometry as the X server has it, screenshots and their pixels. Every
# file and process a test makes is removed or stopped when it exits, also when it fails.
#   source lib.sh; start_desktop <window manager or none>; start_quorvel <binary>

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../scripts/xvfb.sh"

E2E_WORK=$(mktemp -d)
shot="$E2E_WORK/shot.png"
QUORVEL_PID=
WM_PID=
WM_NAME=none
viewport_colour="255,255,192"

fail() {
    echo "FAIL [$WM_NAME]: $*" >&2
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

# Starts Xvfb, and the window manager on it unless wm is none; waits until the window manager has
# taken over the screen (its check window names itself).
start_desktop() {
    WM_NAME=$1
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    start_xvfb || fail "Xvfb did not start"
    [ "$WM_NAME" = none ] && return 0
    # xfwm4 and kwin want a session bus; one of its own keeps the test apart from the machine's.
    eval "$(dbus-launch --sh-syntax)"
    case "$WM_NAME" in
    xfwm4) xfwm4 --compositor=off ;;
    kwin) kwin_x11 ;;
    *) "$WM_NAME" ;;
    esac >"$E2E_WORK/wm.log" 2>&1 &
    WM_PID=$!
    local check
    for _ in $(seq 100); do
        check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
        [ -n "$check" ] && xprop -id "$check" _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "$WM_NAME did not take over the screen"
}

# Starts quorvel and waits for its window.
start_quorvel() {
    QT_QPA_PLATFORM=xcb "$1" 2>"$E2E_WORK/quorvel.err" &
    QUORVEL_PID=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n 1) || fail "no window"
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

# The client area, "x y width height" on the screen. xdotool counts the place of a window inside a
# window manager's frame twice; xwininfo does not.
client_geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}
inner_size() { client_geometry | cut -d' ' -f3-; }
wait_for_size() { wait_until "$1 $2" "the client area" inner_size; }
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

# A screenshot of the window and the colour of a pixel, "r,g,b"; the number of pixels of a
# colour in an area w x h at x, y.
take_shot() { import -window "$window" "$shot"; }
pixel() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
shot_pixel() { take_shot && pixel "$@"; }
count_colour() {
    convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -fill black +opaque "rgb($5)" -fill white -opaque "rgb($5)" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}
wait_for_pixel() { wait_until "$3" "$4: pixel ($1, $2)" shot_pixel "$1" "$2"; }

# The viewport fills the client area less the margins measured at start-up, 2235 twips (149
# pixels) of width and 195 twips (13 pixels) of height from (144, 8): its last column and row,
# below the sheet, have its colour, the next ones do not.
viewport_edges() {
    local w h
    read -r w h < <(inner_size)
    take_shot
    [ "$(pixel $((w - 6)) $((h - 7)))" = $viewport_colour ] && [ "$(pixel $((w - 5)) $((h - 7)))" != $viewport_colour ] &&
        [ "$(pixel 150 $((h - 6)))" = $viewport_colour ] && [ "$(pixel 150 $((h - 5)))" != $viewport_colour ] &&
        echo "fills $w $h" || echo "does not fill $w $h"
}
expect_viewport_fills() { wait_until "fills $(inner_size)" "$1: the viewport" viewport_edges; }
