// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/x11/SizeHints.h"

#include <algorithm>

namespace toolkit::x11 {

void correctSizeHints(const Connection &connection, xcb_window_t window, QSize minimum)
{
    // Qt asks the window manager to size a window in steps of the device pixel ratio, rounded: at
    // a ratio of 1.5 in steps of 2 device pixels, which a window manager that follows them snaps
    // every size to, the least one too (openbox, metacity). It names a base size of -1 logical
    // pixels too, -2 device pixels at 1.5, which KWin takes a device pixel off each length for.
    // Every size is one the window can take: the steps and the base size go, and the least size is
    // the window's own, whenever Qt writes the hints.
    constexpr std::uint32_t kMinimumSize = 1U << 4;
    constexpr std::uint32_t kResizeSteps = 1U << 6;
    constexpr std::uint32_t kBaseSize = 1U << 8;
    constexpr std::size_t kFlags = 0;
    constexpr std::size_t kMinimumWidth = 5;
    constexpr std::size_t kMinimumHeight = 6;
    constexpr std::uint32_t kSizeHintsLength = 18;
    if (!window)
        return;
    const auto read =
        connection.cardinals(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, kSizeHintsLength);
    std::vector<std::uint32_t> hints = read.value_or(std::vector<std::uint32_t>());
    hints.resize(kSizeHintsLength);
    hints[kFlags] &= ~(kResizeSteps | kBaseSize);
    if (minimum.width() > 0 || minimum.height() > 0) {
        hints[kFlags] |= kMinimumSize;
        hints[kMinimumWidth] = std::uint32_t(std::max(minimum.width(), 0));
        hints[kMinimumHeight] = std::uint32_t(std::max(minimum.height(), 0));
    }
    if (read == hints)
        return;
    xcb_change_property(connection.xcb, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, kSizeHintsLength, hints.data());
    xcb_flush(connection.xcb);
}

} // namespace toolkit::x11
