#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Quorvel for 64-bit Windows, built on Debian with MinGW-w64 against the Qt that
# scripts/windows-qt.sh builds (where it is missing, this builds it first), in build/windows:
#   scripts/windows.sh         quorvel.exe, packed into build/windows/quorvel-<version>-windows-x86_64.zip
#                              and the installer build/windows/quorvel-<version>-windows-x86_64-setup.exe
#   scripts/windows.sh build   the same, and the tests
#   scripts/windows.sh test    the same, and runs the tests under Wine on a virtual X display: the
#                              unit and window tests, quorvel.exe from the zip end to end, the installer
# The same commit gives the same bytes: every file has the time of the checkout's last commit, as
# the Debian package's files have (SOURCE_DATE_EPOCH where it is set).
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-packages}
case "$what" in packages | build | test) ;; *)
    echo "Usage: scripts/windows.sh [build | test]" >&2
    exit 2
    ;;
esac
source scripts/packages.sh
ensure_packages "${QUORVEL_PACKAGES[@]}" "${QUORVEL_WINDOWS_PACKAGES[@]}"
[ "$what" = packages ] || ensure_packages "${QUORVEL_TEST_PACKAGES[@]}"

scripts/windows-qt.sh
qt=$(scripts/windows-qt.sh --path)
# The program that draws the icon at build time is this machine's.
cmake --preset release >/dev/null
cmake --build --preset release --target quorvel-icons >/dev/null
cmake --preset windows -DCMAKE_PREFIX_PATH="$qt" -DQUORVEL_ICON_TOOL="$PWD/build/release/app/quorvel-icons" >/dev/null
if [ "$what" = packages ]; then
    cmake --build --preset windows --target quorvel
else
    cmake --build --preset windows
fi
cmake --build --preset windows --target packages >/dev/null
(cd build/windows && sha256sum quorvel-*-windows-x86_64.zip quorvel-*-windows-x86_64-setup.exe)
[ "$what" = test ] || exit 0

# Wine draws its windows, even those of Qt's offscreen platform, on an X display: one for every test
# but the end-to-end ones, which bring their own.
source scripts/xvfb.sh
runtime=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
start_xvfb
ctest --preset windows -j "$((2 * $(nproc)))"
