// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QSize>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <memory>
#include <optional>

namespace toolkit {
class Form;
}

// A window manager as small as the tests need, on an X connection of its own as a real one has:
// it owns the screen's WM_S0 selection and names a check window, takes the requests of the
// windows on the root window, frames a window it is given in a frame window of its own, and grants
// what the framed window asks up to the largest client size it allows, as on a screen of that
// size. Sizes are the X server's device pixels. It ends as a killed window manager does: the X
// server puts the framed window back on the root window, and what was written on it stays.
class TestWindowManager
{
public:
    explicit TestWindowManager(QSize largest = QSize(32767, 32767));
    ~TestWindowManager();
    TestWindowManager(const TestWindowManager &) = delete;
    TestWindowManager &operator=(const TestWindowManager &) = delete;

    // Frames the form's window, or frames it anew: a frame window with the drawn margins around
    // the client, and the announced frame (_NET_FRAME_EXTENTS), the drawn one unless given.
    void frame(const toolkit::Form &form, QMargins drawn, std::optional<QMargins> announced = std::nullopt);
    // Resizes the framed window as the user's drag of its frame does.
    void resize(QSize client);
    // Maximises the framed window: announces the state and gives it the largest size allowed.
    void maximise();
    // Announces the maximised state, or takes it back, and leaves the size as it is.
    void announceMaximised(bool maximised);
    // Shades the framed window: its frame window keeps no more than the frame above the client.
    void shade();
    // The size requests the framed window has made, up to the last sync, and the last of them (-1
    // for a length it did not ask for).
    int requests() const { return m_requests; }
    QSize lastRequest() const { return m_lastRequest; }
    // Takes in every request the X server has had so far.
    void sync();

private:
    void pump();
    void handle(const xcb_generic_event_t *event);
    void configureFramed(QSize client);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_window_t m_check = XCB_WINDOW_NONE;
    QSize m_largest;
    std::unique_ptr<QSocketNotifier> m_notifier;
    xcb_window_t m_client = XCB_WINDOW_NONE;
    xcb_window_t m_frame = XCB_WINDOW_NONE;
    QMargins m_margins;
    int m_requests = 0;
    QSize m_lastRequest{-1, -1};
};
