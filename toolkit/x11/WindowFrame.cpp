// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/x11/WindowFrame.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace toolkit::x11 {

namespace {

// How long a window about to be shown waits for the window manager to say how large its frame
// will be. A window manager answers within a few milliseconds; one that does not answer costs
// the start-up no more than this.
constexpr int kRequestTimeoutMs = 250;
// How long a window manager is given to bear out a frame it announces with its frame window: as it
// frames a window, or changes the frame, it updates the two one after the other.
constexpr int kGraceMs = 250;

} // namespace

WindowFrame::WindowFrame(const WindowIds &ids, const Connection &connection, std::function<void()> graceOver)
    : m_ids(ids)
    , m_connection(connection)
{
    m_grace.setSingleShot(true);
    m_grace.setInterval(kGraceMs);
    QObject::connect(&m_grace, &QTimer::timeout, &m_grace, std::move(graceOver));
}

WindowFrame::Announcement WindowFrame::announced() const
{
    const xcb_window_t window = m_ids.window();
    const xcb_screen_t *screen = m_ids.screen();
    if (!window || !screen)
        return {};
    const auto cookie = xcb_get_property(m_connection.xcb, false, window, m_connection.frameExtents,
                                         XCB_GET_PROPERTY_TYPE_ANY, 0, 0);
    const auto reply = replyTo(m_connection.xcb, xcb_get_property_reply, cookie);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return {};
    // Left, right, top, bottom.
    const auto extents = m_connection.cardinals(window, m_connection.frameExtents, XCB_ATOM_CARDINAL, 4);
    if (!extents || extents->size() != 4)
        return {true, std::nullopt};
    // Unsigned and summed in 64 bits: a value at or above 2^31 is no negative frame, and no sum
    // wraps around. A frame is smaller than the screen it is on.
    const auto width = std::int64_t((*extents)[0]) + (*extents)[1];
    const auto height = std::int64_t((*extents)[2]) + (*extents)[3];
    if (width >= screen->width_in_pixels || height >= screen->height_in_pixels)
        return {true, std::nullopt};
    return {true, QMargins(int((*extents)[0]), int((*extents)[2]), int((*extents)[1]), int((*extents)[3]))};
}

std::optional<QMargins> WindowFrame::drawn() const
{
    const xcb_window_t window = m_ids.window();
    const xcb_window_t root = m_ids.root();
    if (!window || !root)
        return std::nullopt;
    // The window's ancestor just below the root window: the frame window, where a window manager
    // has framed it. A window manager nests its frame a few windows deep at most.
    constexpr int kDeepestFrame = 8;
    xcb_window_t frameWindow = window;
    for (int depth = 0;; ++depth) {
        const auto tree =
            replyTo(m_connection.xcb, xcb_query_tree_reply, xcb_query_tree(m_connection.xcb, frameWindow));
        if (!tree || depth == kDeepestFrame)
            return std::nullopt;
        if (tree->parent == root || tree->parent == XCB_WINDOW_NONE)
            break;
        frameWindow = tree->parent;
    }
    if (frameWindow == window)
        return std::nullopt;
    const auto frameCookie = xcb_get_geometry(m_connection.xcb, frameWindow);
    const auto clientCookie = xcb_get_geometry(m_connection.xcb, window);
    const auto placeCookie = xcb_translate_coordinates(m_connection.xcb, window, frameWindow, 0, 0);
    const auto frame = replyTo(m_connection.xcb, xcb_get_geometry_reply, frameCookie);
    const auto client = replyTo(m_connection.xcb, xcb_get_geometry_reply, clientCookie);
    const auto place = replyTo(m_connection.xcb, xcb_translate_coordinates_reply, placeCookie);
    if (!frame || !client || !place)
        return std::nullopt;
    // A frame window that does not hold the whole client shows no frame now: the window manager
    // is shading the window, or animating it as it minimises or restores it.
    const QMargins margins(place->dst_x, place->dst_y, frame->width - place->dst_x - client->width,
                           frame->height - place->dst_y - client->height);
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0)
        return std::nullopt;
    // The frame window's own border lies around it.
    return margins + frame->border_width;
}

std::optional<QMargins> WindowFrame::extents() const
{
    const Announcement announcement = announced();
    if (!announcement.made) {
        m_unconfirmed = false;
        return m_believed = std::nullopt;
    }
    // A window manager may make its frame window larger than the frame it announces (invisible
    // borders to grab, a shadow), never smaller.
    const std::optional<QMargins> frameWindow = drawn();
    const std::optional<QMargins> &frame = announcement.frame;
    if (frame && (!frameWindow ||
                  (frame->left() <= frameWindow->left() && frame->top() <= frameWindow->top() &&
                   frame->right() <= frameWindow->right() && frame->bottom() <= frameWindow->bottom()))) {
        m_unconfirmed = false;
        return m_believed = frame;
    }
    // Not borne out: the frame believed before holds while the window manager may be between the
    // two updates; after that, the announcement cannot be true.
    if (!m_unconfirmed) {
        m_unconfirmed = true;
        m_grace.start();
    } else if (!m_grace.isActive()) {
        m_believed = frameWindow;
    }
    return m_believed;
}

void WindowFrame::request()
{
    const xcb_window_t root = m_ids.root();
    if (m_requested.isValid() || !root)
        return;
    const auto atoms = m_connection.cardinals(root, m_connection.supported, XCB_ATOM_ATOM, 4096);
    if (!atoms || std::find(atoms->begin(), atoms->end(), m_connection.frameRequest) == atoms->end())
        return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = m_ids.window();
    message.type = m_connection.frameRequest;
    xcb_send_event(m_connection.xcb, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection.xcb);
    m_requested.start();
}

std::optional<QMargins> WindowFrame::awaitAnswer() const
{
    if (!m_requested.isValid())
        return std::nullopt;
    std::optional<QMargins> frame;
    while (!(frame = extents()) && m_requested.elapsed() < kRequestTimeoutMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return frame;
}

} // namespace toolkit::x11
