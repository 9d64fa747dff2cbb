// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/toolkit/XcbRequests.h"
#include "toolkit/Form.h"

#include <QGuiApplication>
#include <QWidget>

// A form's window as the X server has it, read on the program's own connection, which also plays
// the other clients that write on the window. Sizes and places are device pixels.
namespace x11form {

inline xcb_connection_t *connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

inline xcb_window_t root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

inline xcb_window_t xcbWindow(const toolkit::Form &form)
{
    return static_cast<xcb_window_t>(form.widget()->winId());
}

inline QSize serverSize(const toolkit::Form &form)
{
    return xcbtest::sizeOf(connection(), xcbWindow(form));
}

inline QPoint serverPlace(const toolkit::Form &form)
{
    return xcbtest::placeOf(connection(), xcbWindow(form), root());
}

} // namespace x11form
