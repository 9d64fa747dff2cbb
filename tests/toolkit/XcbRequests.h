// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QSize>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

// What the X11 tests ask of the X server, on whichever connection plays the client at hand: the
// window, another client, or the test's window manager. Written apart from the program's own X11
// code, so that a fault there cannot hide in what the tests read.
namespace xcbtest {

template<class Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply *reply)
{
    return {reply, &std::free};
}

inline xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Writes values of 32 bits, or of 16 where the format says so.
inline void setProperty(xcb_connection_t *connection, xcb_window_t window, const char *name, xcb_atom_t type,
                        const std::vector<std::uint32_t> &values, std::uint8_t format = 32)
{
    const std::vector<std::uint16_t> halves(values.begin(), values.end());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, name), type, format,
                        static_cast<std::uint32_t>(values.size()),
                        format == 16 ? static_cast<const void *>(halves.data()) : values.data());
    xcb_flush(connection);
}

// A window's size, in device pixels, and where it is on the root window.
inline QSize sizeOf(xcb_connection_t *connection, xcb_window_t window)
{
    const auto reply =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

inline QPoint placeOf(xcb_connection_t *connection, xcb_window_t window, xcb_window_t root)
{
    const auto reply = owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, 0, 0), nullptr));
    return reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint();
}

// Returns once the X server has carried out every request the connection made before.
inline void roundTrip(xcb_connection_t *connection)
{
    owned(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace xcbtest
