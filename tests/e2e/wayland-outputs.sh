#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real quorvel binary as a native Wayland client of weston with two outputs side by side, as a
# laptop beside a monitor: X1 at a scale of 1 and X2 at 2, each 1024 x 600 logical pixels. weston's
# X11 back end shows each output as a window of an Xvfb, where xdotool's pointer reaches weston.
#   - The window opens whole on the output under the pointer, X1: the screen shows the viewport
#     and the sheet.
#   - Dragged smaller by its corner, it stops at the least size, which it tells the compositor.
#   - Dragged by Qt's own title bar onto X2, it keeps its size in logical pixels (the protocol
#     trace); the least size it tells the compositor is the same logical size there, and holds for
#     a drag of the corner on X2; the screen shows the viewport filling the window at 2 device
#     pixels each.
#   - "&Ende" ends it with status 0 and nothing on stderr but the protocol trace.
#   wayland-outputs.sh <quorvel binary>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
WM_NAME=weston
SCALE=outputs
export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_xvfb 3072x1200 || fail "Xvfb did not start"
eval "$(dbus-launch --sh-syntax)"
export WAYLAND_DISPLAY=quorvel-test
cat >"$E2E_WORK/weston.ini" <<'INI'
[core]
idle-time=0
[output]
name=X1
scale=1
mode=1024x600
[output]
name=X2
scale=2
mode=1024x600
INI
weston --backend=x11-backend.so --output-count=2 --use-pixman --socket=$WAYLAND_DISPLAY \
    -c "$E2E_WORK/weston.ini" >"$E2E_WORK/wm.log" 2>&1 &
WM_PID=$!
wait_until yes "the compositor's socket" bash -c "[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ] && echo yes"
# Both outputs open at the X screen's corner: X2 goes to the right of X1, as it lies in weston's
# layout (X1 at 0,0, X2 at 1024,0 logical).
output_window() { xwininfo -root -tree | awk "/\"Weston Compositor - $1\"/ {print \$1}"; }
wait_until yes "the outputs" bash -c "[ -n \"\$(xwininfo -root -tree | grep 'Weston Compositor - X2')\" ] && echo yes"
x1=$(output_window X1)
x2=$(output_window X2)
xdotool windowmove --sync "$x2" 1024 0

xdotool mousemove --sync 512 300
QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=1 "$1" 2>"$E2E_WORK/quorvel.err" &
QUORVEL_PID=$!
# What the protocol trace holds that matches, from a line on (the first by default).
trace() { tail -n +"${2:-1}" "$E2E_WORK/quorvel.err" | grep -o "$1" || true; }
trace_length() { wc -l <"$E2E_WORK/quorvel.err"; }
last_request() { trace "$1([0-9, ]*)" | tail -n 1; }
wait_until yes "the window's surface" bash -c "grep -q 'get_xdg_surface(' $E2E_WORK/quorvel.err && echo yes"
surface=$(trace 'get_xdg_surface(new id xdg_surface@[0-9]*, wl_surface@[0-9]*)' | head -n 1 | grep -o 'wl_surface@[0-9]*')
output_at() { trace "wl_output@[0-9]*\.geometry($1, 0," | head -n 1 | grep -o 'wl_output@[0-9]*'; }
on_outputs() { trace "$surface\.\(enter\|leave\)(wl_output@[0-9]*)" | tr '\n' ' '; }
buffer_scale() { last_request "$surface\.set_buffer_scale" | grep -o '[0-9]*)' | tr -d ')'; }

# A screenshot of an output, and the viewport's light yellow in it: "width height x y" of what it
# covers, in the output's device pixels, and how many pixels it has.
shoot() { import -window "$1" "$shot"; }
viewport_mask() { convert "$shot" -fill black +opaque "rgb($viewport_colour)" -fill white -opaque "rgb($viewport_colour)" "$@" info:; }
viewport_box() { viewport_mask -format '%@\n' | tr 'x+' '  '; }
viewport_pixels() { viewport_mask -format '%[fx:int(mean*w*h+0.5)]'; }

# The client area's right and bottom edges on an output, in its logical pixels, from the viewport:
# its right and bottom edges lie 5 logical pixels inside. Qt's title bar lies 30 logical pixels
# above the client area, its frame 3 around it.
#   client_corner <output window> <scale>
client_corner() {
    local w h x y
    shoot "$1"
    read -r w h x y < <(viewport_box)
    echo $(((x + w) / $2 + 5)) $(((y + h) / $2 + 5))
}
# Drags with the left button from one point of the X screen to another, in steps.
drag() {
    local x=$1 y=$2 dx=$3 dy=$4 i
    xdotool mousemove --sync "$x" "$y"
    sleep 0.3
    xdotool mousedown 1
    for i in $(seq 1 20); do
        xdotool mousemove "$((x + dx * i / 20))" "$((y + dy * i / 20))"
        sleep 0.05
    done
    sleep 0.3
    xdotool mouseup 1
}

# Opened on X1, whole: the viewport's 405 x 361 logical pixels less the white sheet's 405 x 197.
wait_until "set_window_geometry(0, 0, 560, 407)" "the window at first show" last_request set_window_geometry
out1=$(output_at 0)
out2=$(output_at 1024)
[ -n "$out1" ] && [ -n "$out2" ] || fail "the outputs are not in the trace"
wait_until "$surface.enter($out1) " "the window on X1" on_outputs
# The pointer, drawn by the compositor, leaves the window.
xdotool mousemove 10 590
shown_on() { shoot "$1" && viewport_pixels; }
wait_until 66420 "the viewport on X1" shown_on "$x1"
[ "$(buffer_scale)" = 1 ] || fail "the buffer scale on X1 is $(buffer_scale)"

# Dragged by its corner towards 150 x 150 on X1: the window stops at the least size, 4000 x 6000
# twips outside (267 x 400 logical pixels), which it tells the compositor. A Wayland client cannot
# learn the compositor's frame; Qt's own decoration is 6 x 33 logical pixels.
read -r right bottom < <(client_corner "$x1" 1)
drag $((right + 2)) $((bottom + 2)) $((150 - right)) $((150 - bottom))
wait_until "set_window_geometry(0, 0, 267, 400)" "the least size on X1" last_request set_window_geometry
least=$(last_request set_min_size)
[ -n "$least" ] && [ "$least" != "set_min_size(0, 0)" ] || fail "no least size told on X1: $least"
echo "X1: $least"

# Dragged by its title bar onto X2. While the button is held the X server gives the pointer to X1's
# window, and weston stops it at X1's edge: the window then straddles both, and a second drag, on
# X2, takes it the rest of the way.
# The title bar is grabbed 15 logical pixels above the client area of 261 x 367, first 200 left of
# its right edge, so that the window comes 200 onto X2, then 100 left of it, clear of the buttons.
moved_from=$(trace_length)
read -r right bottom < <(client_corner "$x1" 1)
drag $((right - 200)) $((bottom - 367 - 15)) $((1024 - right + 200)) 0
read -r right bottom < <(client_corner "$x2" 2)
drag $((1024 + 2 * (right - 100))) $((2 * (bottom - 367 - 15))) $((2 * (600 - right))) 0
wait_until "$surface.enter($out1) $surface.enter($out2) " "the window on X2" on_outputs
# weston 10 does not tell the window that it has left X1 (KWin does), and Qt 6.4 keeps the scale of
# the first output the window entered: its buffer scale stays 1, and weston scales it up. The
# program has no say in either.
echo "on X2: buffer scale $(buffer_scale)"
# Its size in logical pixels is unchanged, and so is the least size it tells the compositor.
sizes_since() { trace "$1([0-9, ]*)" "$moved_from" | sort -u | tr '\n' ' '; }
[ "$(sizes_since set_window_geometry)" = "set_window_geometry(0, 0, 267, 400) " ] ||
    fail "the window had other sizes on the way: $(sizes_since set_window_geometry)"
[ -z "$(sizes_since set_min_size | sed "s/$least //")" ] ||
    fail "other least sizes were told on the way: $(sizes_since set_min_size)"
# The viewport fills the window: 261 - 149 = 112 logical pixels wide, its right edge 5 logical
# pixels inside the client area's, and the frame's 3 further out, at 2 device pixels each. weston
# scales a buffer of scale 1 up and blurs each edge by a device pixel.
viewport_fills() {
    local w h x y margin
    shoot "$x2"
    read -r w h x y < <(viewport_box)
    margin=$(pixels_to_background $((x + w)) $((y + h - 1)))
    [ "$w" -ge 222 ] && [ "$w" -le 224 ] && [ "$margin" -ge 16 ] && [ "$margin" -le 17 ] && echo fills ||
        echo "$w wide, $margin device pixels from the desktop"
}
# How many device pixels right of a point the desktop's background begins, which is darker than the
# window's frame.
pixels_to_background() {
    local reds i
    read -r -a reds < <(convert "$shot" -crop "40x1+$1+$2" +repage -depth 8 txt:- | tail -n +2 |
        sed 's/.*(\([0-9]*\),.*/\1/' | tr '\n' ' ')
    for i in "${!reds[@]}"; do
        [ "${reds[$i]}" -lt 200 ] && echo "$i" && return
    done
    echo 40
}
wait_until fills "the viewport on X2" viewport_fills

# Dragged by its corner towards 150 x 150 on X2: it stays at the least size.
read -r right bottom < <(client_corner "$x2" 2)
drag $((1024 + 2 * (right + 2))) $((2 * (bottom + 2))) $((2 * (150 - right))) $((2 * (150 - bottom)))
wait_until "$least" "the least size told on X2" last_request set_min_size
wait_until "set_window_geometry(0, 0, 267, 400)" "the least size on X2" last_request set_window_geometry
wait_until fills "the viewport on X2 after a drag of the corner" viewport_fills

/usr/bin/python3 -B "$(dirname "$0")/atspi.py" press Ende || fail "could not press Ende"
expect_exit 0
errors=$(grep -v '^\[ *[0-9.]*\] ' "$E2E_WORK/quorvel.err" || true)
[ -z "$errors" ] || fail "quorvel wrote to stderr: $(head -n 5 <<<"$errors")"
echo "ok: two outputs at scales 1 and 2, $least on both"
