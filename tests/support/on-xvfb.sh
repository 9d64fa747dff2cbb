#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a private Xvfb display without a window manager, on Qt's X11 platform.
#   on-xvfb.sh <command> [arguments]
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/xvfb.sh"
runtime=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
start_xvfb
"$@"
