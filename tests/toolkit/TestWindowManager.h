// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QPoint>
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

    // Frames the form's window where it is, or frames it anew: a frame window with the drawn
    // margins around the client, and the announced frame (_NET_FRAME_EXTENTS), the drawn one
    // unless given.
    void frame(const toolkit::Form &form, QMargins drawn, std::optional<QMargins> announced = std::nullopt);
    // How the window manager frames each window that is mapped from now on, before it maps it, as
    // real window managers do: where it was put, or with the frame window's corner at a place of
    // the window manager's own (openbox and KWin take the screen's corner, and move the frame where
    // the window was put a moment later); the frame announced or not; and a size told the window
    // at once, before it has read the one it has, as a window manager that tells a window the
    // geometry it had does. Where the window was put is kept.
    struct NewWindows
    {
        QMargins drawn;
        std::optional<QPoint> frameCorner = std::nullopt;
        bool announce = true;
        std::optional<QSize> toldFirst = std::nullopt;
    };
    void frameNewWindows(const NewWindows &how) { m_newWindows = how; }
    // Announces the frame drawn around the framed window.
    void announceFrame();
    // Tells the framed window a place on the root window and a size with a synthetic
    // ConfigureNotify, whether it has them or not; by default those it has.
    void tell(std::optional<QPoint> place = std::nullopt, std::optional<QSize> size = std::nullopt);
    QPoint wherePut() const { return m_put; }
    // Moves the frame where the window was put, as KWin does once it has placed a new window,
    // unless the window asked for a place of its own meanwhile, which KWin takes as the one the
    // window wants.
    void placeWherePut();
    // Moves the frame so that the client is at a place on the root window, and tells the client
    // where it is now, as a window manager that moves a frame does.
    void moveClientTo(QPoint place);
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
    void frameClient(xcb_window_t client, QMargins drawn, std::optional<QMargins> announced,
                     std::optional<QPoint> frameCorner);
    void configureFramed(QSize client);
    void announce(QMargins frame);
    void moveFrameAround(QPoint place);
    void carryOut(const xcb_configure_request_event_t &request);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_window_t m_check = XCB_WINDOW_NONE;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    QSize m_largest;
    std::unique_ptr<QSocketNotifier> m_notifier;
    xcb_window_t m_client = XCB_WINDOW_NONE;
    xcb_window_t m_frame = XCB_WINDOW_NONE;
    QMargins m_margins;
    int m_requests = 0;
    QSize m_lastRequest{-1, -1};
    bool m_holding = false;
    std::optional<NewWindows> m_newWindows;
    QPoint m_put;
    bool m_placeAsked = false;
};
