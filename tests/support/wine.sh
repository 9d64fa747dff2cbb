#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a test program of the Windows build under Wine, on the X display in DISPLAY (Wine draws
# even an offscreen Qt's hidden windows there), in a Wine prefix of the build's own, made on first
# use. Qt's offscreen platform on Windows reads its fonts from one folder: the build's, which holds
# Arial's metric twin and the face with the arrows, as the tests on Linux find them.
#   wine.sh <build folder> <program.exe> [arguments]
set -euo pipefail
build=$1
shift
[ -n "${DISPLAY:-}" ] || { echo "wine.sh: Wine needs an X display; scripts/windows.sh test runs the tests on one." >&2; exit 1; }
# Wine keeps its server's socket in a folder it makes in TMPDIR: the build's.
export WINEPREFIX=$build/wine-prefix TMPDIR=$build/wine-tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$TMPDIR"
export QT_QPA_FONTDIR="Z:$build/wine-fonts"
# Wine hands no variable named QT_* on to a Windows program: each goes as QUORVEL_QT_* as well,
# which the tests' main takes back.
for name in $(compgen -e); do
    [[ $name == QT_* ]] && export "QUORVEL_$name=${!name}"
done
(
    flock 9
    if [ ! -e "$WINEPREFIX/.made" ]; then
        rm -rf "$WINEPREFIX" "$build/wine-fonts"
        mkdir -p "$build/wine-fonts"
        cp /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf \
            "$build/wine-fonts/"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.made"
    fi
) 9>"$build/wine-prefix.lock"
exec wine "$@"
