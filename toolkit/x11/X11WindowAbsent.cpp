// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/X11Window.h"

namespace toolkit {

// Built without X11 (a Qt without its X11 platform, or QUORVEL_X11 turned off): no window has an
// X11 side, and a window's geometry is what Qt says it is.
std::unique_ptr<X11Window> X11Window::attach(QWidget *, const std::function<void(Change)> &)
{
    return nullptr;
}

} // namespace toolkit
