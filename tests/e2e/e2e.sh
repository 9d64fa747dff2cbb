#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real quorvel binary on a private Xvfb display without a window manager, driven from outside
# with xdotool as a user would drive it: the work tabs switch which layer's tools are in front and
# take input. "Formular öffnen" of the "Anwenden" layer shows its yellow folder only while that
# layer is selected; the "Bearbeiten" layer's picture buttons are disabled and grey.
#   e2e.sh <quorvel binary>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
start_desktop none
start_quorvel "$1"

yellow_in_folder() { take_shot && [ "$(count_colour 12 51 53 69 "255,255,0")" -gt 50 ] && echo shown || echo grey; }
step_done "first show"
wait_until grey "the folder of \"Bearbeiten\"" yellow_in_folder
xdotool mousemove --window "$window" 98 24 click 1
wait_until shown "the folder of \"Anwenden\"" yellow_in_folder
xdotool mousemove --window "$window" 35 24 click 1
wait_until grey "the folder after \"Bearbeiten\" came back" yellow_in_folder
echo "ok: work tabs"
