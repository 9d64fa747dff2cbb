#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# End-to-end checks of the real quorvel binary on a private Xvfb display without a window manager,
# driven from outside with xdotool as a user would drive it.
#   e2e.sh <quorvel binary> <scenario>
set -euo pipefail
binary=$1
scenario=$2
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop none
start_quorvel "$binary"

case "$scenario" in
colours)
    # 8310 x 5610 twips of client area are 554 x 374 pixels, under the program's name. The
    # viewport is 405 x 361 pixels at (144, 8), light yellow; the template sheet lies at its
    # corner, white with a dark border, 405 x 197 pixels. The layer over the tab strip has the
    # window's colour.
    [ "$(inner_size)" = "554 374" ] || fail "client area $(inner_size), expected 554 374"
    [ "$(xdotool getwindowname "$window")" = "Quorvel" ] || fail "title is $(xdotool getwindowname "$window")"
    wait_for_pixel 300 300 "255,255,192" "viewport below the sheet"
    expect_pixel 300 100 "255,255,255" "inside the sheet"
    expect_pixel 144 100 "64,64,64" "the sheet's left border"
    expect_pixel 300 204 "64,64,64" "the sheet's bottom border"
    expect_pixel 548 100 "64,64,64" "the sheet's right border, at the viewport's right edge"
    window_colour=$(pixel 140 3)
    expect_pixel 120 270 "$window_colour" "the layer over the tab strip"
    ;;
work-tabs)
    # "Formular öffnen" of the "Anwenden" layer shows its yellow folder only while that layer is
    # in front and enabled; the "Bearbeiten" layer's picture buttons are disabled and grey.
    yellow_in_folder() { take_shot && [ "$(count_colour 12 51 53 69 "255,255,0")" -gt 50 ] && echo shown || echo grey; }
    wait_for_pixel 300 300 "255,255,192" "the viewport"
    wait_until grey "the folder of \"Bearbeiten\"" yellow_in_folder
    xdotool mousemove --window "$window" 98 24 click 1
    wait_until shown "the folder of \"Anwenden\"" yellow_in_folder
    xdotool mousemove --window "$window" 35 24 click 1
    wait_until grey "the folder after \"Bearbeiten\" came back" yellow_in_folder
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac

echo "ok: $scenario"
