// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/x11/XcbConnection.h"

#include <QElapsedTimer>
#include <QMargins>
#include <QTimer>

#include <functional>
#include <optional>

namespace toolkit::x11 {

// The frame a window manager drew around a window, in device pixels: what it announces
// (_NET_FRAME_EXTENTS), believed where the frame window it put the client into bears it out. Any
// client can write the announcement; a window manager writes it a moment before or after it
// changes the frame window, so an announcement that is not borne out keeps the frame believed
// before for a short grace, after which the frame window's own frame is believed.
class WindowFrame
{
public:
    // graceOver runs when a grace has passed, since the frame believed may then change.
    WindowFrame(const WindowIds &ids, const Connection &connection, std::function<void()> graceOver);

    // Left, top, right and bottom; none where nothing is announced.
    std::optional<QMargins> extents() const;
    // Before the window is mapped: asks the running window manager, where it knows the request, how
    // large a frame it will draw. The window manager answers while the program goes on.
    void request();
    // The frame the window manager announced in answer, waited for until a short time after the
    // request; none where there was no request, or no answer came.
    std::optional<QMargins> awaitAnswer() const;

private:
    // Whether a frame is announced on the window, and the frame where it can be one on this screen.
    struct Announcement
    {
        bool made = false;
        std::optional<QMargins> frame;
    };
    Announcement announced() const;
    std::optional<QMargins> drawn() const;

    const WindowIds &m_ids;
    const Connection &m_connection;
    // Since the window manager was asked for the frame; invalid before.
    QElapsedTimer m_requested;
    // The frame last believed, and whether the announcement is not borne out by the frame window;
    // once that has lasted, the frame window's own frame is believed.
    mutable std::optional<QMargins> m_believed;
    mutable bool m_unconfirmed = false;
    mutable QTimer m_grace;
};

} // namespace toolkit::x11
