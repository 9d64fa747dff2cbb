#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window on a screen smaller than its least size (4000 x 6000 twips outside: 266.7 x 400 logical
# pixels, each as many device pixels as the ratio says), under a real window manager, which then
# decides: KWin clamps the window to the screen, xfwm4 maximises it, openbox lets it be larger, and
# a maximised or full-screen window takes the screen's size. After each of the user's steps (the
# first show, maximise and restore, full screen and back) the program runs on with no error box, the
# window has the size the window manager gave it, at least its least size where the screen allows,
# the viewport fills its client area less the margins (seen through the accessibility bus, which
# sees beyond the screen's edge too), and the window and the window manager do not exchange sizes
# without end. Closing through the window manager ends the program normally.
#   small-screen.sh <quorvel binary> <openbox | xfwm4 | metacity | kwin | mutter> <scale, as lib.sh> <WIDTHxHEIGHT>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop "$2" "$3" "$4"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_quorvel "$1"

# The viewport as the program lays it out: its client area, in logical pixels, is the X server's,
# and the viewport's right and bottom edges lie 5 logical pixels inside it.
viewport() {
    local w h cw ch gap_r gap_b
    read -r w h < <(inner_size)
    read -r cw ch gap_r gap_b < <(/usr/bin/python3 -B "$(dirname "$0")/atspi.py" viewport) || true
    [ -n "${gap_b:-}" ] || { echo "not on the accessibility bus"; return; }
    awk -v w="$w" -v h="$h" -v cw="$cw" -v ch="$ch" -v r="$RATIO" -v gr="$gap_r" -v gb="$gap_b" 'BEGIN {
        near = (cw - w / r) ^ 2 <= 1 && (ch - h / r) ^ 2 <= 1
        print (near && gr == 5 && gb == 5) ? "fills" : "client " cw "x" ch " for " w "x" h " device, gaps " gr ", " gb }'
}
viewport_check=viewport

# Asks the window manager, as a double click on the title bar or a key of the desktop does, to add
# or remove a state, and gives it two seconds to do so: on a screen smaller than the window's least
# size, some window managers refuse to maximise it.
ask_state() {
    wmctrl -i -r "$window" -b "$1,$2"
    for _ in $(seq 20); do
        xprop -id "$window" _NET_WM_STATE | grep -qi "${2%%,*}" && [ "$1" = add ] && return 0
        xprop -id "$window" _NET_WM_STATE | grep -qi "${2%%,*}" || [ "$1" = add ] || return 0
        sleep 0.1
    done
}

expect_sound "first show"
for state in maximized_vert,maximized_horz fullscreen; do
    ask_state add $state
    expect_sound "$state asked"
    ask_state remove $state
    expect_sound "$state removed"
done
wmctrl -i -c "$window"
expect_exit 0
[ -s "$E2E_WORK/quorvel.err" ] && fail "quorvel wrote to stderr: $(head -n 5 "$E2E_WORK/quorvel.err")"
echo "ok: $WM_NAME, scale $SCALE, screen $4"
