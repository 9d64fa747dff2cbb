# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Quorvel needs to build, test and run, where they are missing.
# Sourced by ./run and ./test.

# To build and run: ./run. Without a display, ./run shows the window on Xvfb for a screenshot.
QUORVEL_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev libxcb1-dev qt6-wayland qt6-translations-l10n
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth xdotool imagemagick
)

# To test as well: ./test.
QUORVEL_TEST_PACKAGES=(
    "${QUORVEL_PACKAGES[@]}"
    libgtest-dev libbenchmark-dev
    x11-utils desktop-file-utils dpkg-dev file
    # What checks the package, its metadata and the licence of every file, and makes and unpacks
    # the source release.
    lintian appstream reuse git xz-utils
    # The window managers and the Wayland compositors the end-to-end tests run under, and what
    # drives them: wmctrl, the X resources (xrdb), a session bus, the accessibility bus and its
    # Python binding.
    openbox xfwm4 metacity kwin-x11 kwin-style-breeze mutter weston kwin-wayland
    wmctrl x11-xserver-utils dbus-x11 at-spi2-core python3-gi gir1.2-atspi-2.0
    # What makes the Debian 13 root that the pass with Qt 6.8 runs in.
    debootstrap
)

# To build Qt for Windows and, with it, Quorvel for Windows, its zip and its installer, and to test
# them under Wine: scripts/windows-qt.sh, scripts/windows.sh and the Windows pass of ./test.
QUORVEL_WINDOWS_PACKAGES=(
    cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev dpkg-dev xz-utils
    googletest wine wine64 fonts-wine nsis zip unzip
)

# Installs those of the named packages that are missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local install=(apt-get install -y --no-install-recommends "${missing[@]}")
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${install[@]}"
    elif command -v sudo >/dev/null 2>&1; then
        sudo DEBIAN_FRONTEND=noninteractive apt-get update -qq
        sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
    else
        echo "These packages are missing and neither root nor sudo is available. As root, run:" >&2
        echo "  apt-get update && ${install[*]}" >&2
        return 1
    fi
}
