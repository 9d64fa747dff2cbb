#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a private Xvfb display without a window manager, on Qt's X11 platform. With
# --monitors, the display is 3840 x 1080 device pixels, split into two RandR monitors side by side:
# L at 0,0, 1920 x 1080, and R at 1920,0, 1920 x 720, the primary, so that below R the pointer is on
# no monitor. QT_SCREEN_SCALE_FACTORS gives each its ratio.
#   on-xvfb.sh [--monitors] <command> [arguments]
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/xvfb.sh"
monitors=
if [ "${1:-}" = --monitors ]; then
    monitors=yes
    shift
fi
runtime=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
if [ -n "$monitors" ]; then
    start_xvfb 3840x1080
    xrandr --setmonitor L 1920/300x1080/200+0+0 none >/dev/null
    xrandr --setmonitor R 1920/300x720/133+1920+0 screen >/dev/null
    xrandr --output screen --primary
else
    start_xvfb
fi
"$@"
