// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace toolkit::x11 {

template<class Reply>
struct FreeReply
{
    void operator()(Reply *reply) const { std::free(reply); }
};
// A reply of the X server, which the caller owns.
template<class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

// The X server's reply to a request, or none where it answered with an error (a window that went
// away meanwhile, say): the error is the caller's to handle, and not reported as an unexpected one.
template<class Reply, class Cookie>
ReplyPtr<Reply> replyTo(xcb_connection_t *xcb,
                        Reply *(*reply)(xcb_connection_t *, Cookie, xcb_generic_error_t **), Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    ReplyPtr<Reply> answer(reply(xcb, cookie, &error));
    std::free(error);
    return answer;
}

// Qt's connection to the X server and the atoms a window's geometry is read through.
struct Connection
{
    xcb_connection_t *xcb = nullptr;
    xcb_atom_t frameExtents = XCB_ATOM_NONE;
    xcb_atom_t frameRequest = XCB_ATOM_NONE;
    xcb_atom_t supported = XCB_ATOM_NONE;
    xcb_atom_t state = XCB_ATOM_NONE;
    xcb_atom_t fullScreen = XCB_ATOM_NONE;
    xcb_atom_t maximisedVertically = XCB_ATOM_NONE;
    xcb_atom_t maximisedHorizontally = XCB_ATOM_NONE;

    // The connection with its atoms interned.
    static Connection open(xcb_connection_t *xcb);
    xcb_atom_t atom(const char *name) const;
    // The 32-bit values of a property of the given type, at most limit of them: none where the
    // property is missing, of another type or format, or longer than the limit.
    std::optional<std::vector<std::uint32_t>> cardinals(xcb_window_t window, xcb_atom_t property,
                                                        xcb_atom_t type, std::uint32_t limit) const;
};

// A widget's X11 window, and the root window and screen it is on, once the widget has one.
class WindowIds
{
public:
    WindowIds(QWidget *window, const Connection &connection);

    QWidget *widget() const { return m_window; }
    xcb_window_t window() const;
    xcb_window_t root() const;
    const xcb_screen_t *screen() const;
    // The screen's number, n in its window manager's selection WM_Sn.
    int screenNumber() const;

private:
    QPointer<QWidget> m_window;
    const Connection &m_connection;
    // Read once known: a window never changes screens.
    mutable xcb_window_t m_root = XCB_WINDOW_NONE;
};

} // namespace toolkit::x11
