#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window maximised and restored 200 times from outside, then made full screen and back 200
# times, as a user's quick double clicks and keys do: a window manager changes the state, the frame
# and the size one after the other each time. After each run the window is in its normal state, a
# resize from outside to 100 x 100 ends at its least size, which the window manager is told, and
# the program runs on with one window, at rest.
#   toggles.sh <quorvel binary> <window manager>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop "$2" none
start_quorvel "$1"
settled >/dev/null

for state in maximized_vert,maximized_horz fullscreen; do
    for _ in $(seq 200); do
        wmctrl -i -r "$window" -b "add,$state"
        wmctrl -i -r "$window" -b "remove,$state"
    done
    read -r _ _ _ _ now < <(settled)
    [ -z "${now:-}" ] || fail "after the toggles of $state the window is $now"
    xdotool windowsize "$window" 100 100
    wait_until "$(least_client)" "$state toggled, then resized to 100 x 100: the client area" inner_size
    wait_until "$(least_client)" "$state toggled: the least size told" least_hint
    expect_one_window "$state toggled"
    expect_at_rest "$state toggled"
    echo "$state toggled 200 times, resized to 100 x 100: outer $(outer_geometry | cut -d' ' -f3-)"
done
echo "ok: $WM_NAME"
