// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/x11/XcbConnection.h"

#include <QSize>

namespace toolkit::x11 {

// Corrects what a window's WM_NORMAL_HINTS ask of the window manager, in device pixels: no size
// steps, and the least size given (none where it is empty), whatever Qt wrote there. Writes only
// where that changes the hints, since each write is reported back.
void correctSizeHints(const Connection &connection, xcb_window_t window, QSize minimum);

} // namespace toolkit::x11
