// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/x11/XcbConnection.h"

#include <cstring>

namespace toolkit::x11 {

Connection Connection::open(xcb_connection_t *xcb)
{
    Connection connection;
    connection.xcb = xcb;
    connection.frameExtents = connection.atom("_NET_FRAME_EXTENTS");
    connection.frameRequest = connection.atom("_NET_REQUEST_FRAME_EXTENTS");
    connection.supported = connection.atom("_NET_SUPPORTED");
    connection.state = connection.atom("_NET_WM_STATE");
    connection.fullScreen = connection.atom("_NET_WM_STATE_FULLSCREEN");
    connection.maximisedVertically = connection.atom("_NET_WM_STATE_MAXIMIZED_VERT");
    connection.maximisedHorizontally = connection.atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    return connection;
}

xcb_atom_t Connection::atom(const char *name) const
{
    const auto cookie = xcb_intern_atom(xcb, false, static_cast<std::uint16_t>(std::strlen(name)), name);
    const auto reply = replyTo(xcb, xcb_intern_atom_reply, cookie);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::optional<std::vector<std::uint32_t>> Connection::cardinals(xcb_window_t window, xcb_atom_t property,
                                                                xcb_atom_t type, std::uint32_t limit) const
{
    const auto cookie = xcb_get_property(xcb, false, window, property, type, 0, limit);
    const auto reply = replyTo(xcb, xcb_get_property_reply, cookie);
    if (!reply || reply->type != type || reply->format != 32 || reply->bytes_after > 0)
        return std::nullopt;
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(values, values + reply->value_len);
}

WindowIds::WindowIds(QWidget *window, const Connection &connection)
    : m_window(window)
    , m_connection(connection)
{}

xcb_window_t WindowIds::window() const
{
    return m_window ? static_cast<xcb_window_t>(m_window->internalWinId()) : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_window_t WindowIds::root() const
{
    const xcb_window_t id = window();
    if (!m_root && id) {
        const auto reply =
            replyTo(m_connection.xcb, xcb_get_geometry_reply, xcb_get_geometry(m_connection.xcb, id));
        m_root = reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
    }
    return m_root;
}

const xcb_screen_t *WindowIds::screen() const
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection.xcb)); screens.rem;
         xcb_screen_next(&screens)) {
        if (screens.data->root == root())
            return screens.data;
    }
    return nullptr;
}

int WindowIds::screenNumber() const
{
    int number = 0;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection.xcb));
         screens.rem && screens.data->root != root(); xcb_screen_next(&screens))
        ++number;
    return number;
}

} // namespace toolkit::x11
