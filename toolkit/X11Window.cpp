// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/X11Window.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace toolkit {

namespace {

// How long a window about to be shown waits for the window manager to say how large its frame
// will be. A window manager answers within a few milliseconds; one that does not answer costs
// the start-up no more than this.
constexpr int kFrameRequestTimeoutMs = 250;
// How long a window manager is given to bear out a frame it announces with its frame window: as it
// frames a window, or changes the frame, it updates the two one after the other.
constexpr int kFrameSettleMs = 250;

template<class Reply>
struct FreeReply
{
    void operator()(Reply *reply) const { std::free(reply); }
};
template<class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

// Qt's connection to the X server and the atoms the window's geometry is read through.
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

    xcb_atom_t atom(const char *name) const
    {
        const auto cookie = xcb_intern_atom(xcb, false, static_cast<std::uint16_t>(std::strlen(name)), name);
        const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(xcb, cookie, nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The 32-bit values of a property of the given type, at most limit of them: none where the
    // property is missing, of another type or format, or longer than the limit.
    std::optional<std::vector<std::uint32_t>> cardinals(xcb_window_t window, xcb_atom_t property,
                                                        xcb_atom_t type, std::uint32_t limit) const
    {
        const auto cookie = xcb_get_property(xcb, false, window, property, type, 0, limit);
        const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(xcb, cookie, nullptr));
        if (!reply || reply->type != type || reply->format != 32 || reply->bytes_after > 0)
            return std::nullopt;
        const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
        return std::vector<std::uint32_t>(values, values + reply->value_len);
    }
};

// The X11 side of a window on Qt's own connection to the X server.
class XcbWindow final : public X11Window, private QAbstractNativeEventFilter
{
public:
    XcbWindow(QWidget *window, const Connection &connection, std::function<void(Change)> changed);
    ~XcbWindow() override;

    std::uint32_t windowManager() const override;
    std::optional<QMargins> frameExtents() const override;
    void requestFrameExtents() override;
    std::optional<QMargins> awaitFrameExtents() const override;
    Qt::WindowStates maximisedOrFullScreen() const override;
    QSize size() const override;
    QPoint position() const override;
    void resize(std::optional<int> width, std::optional<int> height) const override;
    void setMinimumSize(QSize size) override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void correctSizeHints() const;
    xcb_window_t windowId() const;
    xcb_window_t root() const;
    const xcb_screen_t *screen() const;
    // Whether a frame is announced on the window, and the frame where it can be one on this screen.
    struct Announcement
    {
        bool made = false;
        std::optional<QMargins> frame;
    };
    Announcement announcedFrame() const;
    std::optional<QMargins> drawnFrame() const;

    QPointer<QWidget> m_window;
    const Connection m_connection;
    std::function<void(Change)> m_changed;
    // The root window the window is on, and the selection its window manager owns, once known: a
    // window never changes screens.
    mutable xcb_window_t m_root = XCB_WINDOW_NONE;
    mutable xcb_atom_t m_managerSelection = XCB_ATOM_NONE;
    // The least size of the client area, empty where there is none.
    QSize m_minimum;
    // Since the window manager was asked for the frame; invalid before.
    QElapsedTimer m_frameRequested;
    // The frame last believed, and whether the announcement is not borne out by the frame window;
    // once that has lasted, the frame window's own frame is believed.
    mutable std::optional<QMargins> m_believedFrame;
    mutable bool m_unconfirmed = false;
    mutable QTimer m_unconfirmedTimeout;
};

XcbWindow::XcbWindow(QWidget *window, const Connection &connection, std::function<void(Change)> changed)
    : m_window(window)
    , m_connection(connection)
    , m_changed(std::move(changed))
{
    m_unconfirmedTimeout.setSingleShot(true);
    m_unconfirmedTimeout.setInterval(kFrameSettleMs);
    QObject::connect(&m_unconfirmedTimeout, &QTimer::timeout, &m_unconfirmedTimeout,
                     [this] { m_changed(Change::FrameExtents); });
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbWindow::~XcbWindow()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

xcb_window_t XcbWindow::windowId() const
{
    return m_window ? static_cast<xcb_window_t>(m_window->internalWinId()) : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_window_t XcbWindow::root() const
{
    const xcb_window_t window = windowId();
    if (!m_root && window) {
        const ReplyPtr<xcb_get_geometry_reply_t> reply(
            xcb_get_geometry_reply(m_connection.xcb, xcb_get_geometry(m_connection.xcb, window), nullptr));
        m_root = reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
    }
    return m_root;
}

const xcb_screen_t *XcbWindow::screen() const
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection.xcb)); screens.rem;
         xcb_screen_next(&screens)) {
        if (screens.data->root == root())
            return screens.data;
    }
    return nullptr;
}

std::uint32_t XcbWindow::windowManager() const
{
    if (!m_managerSelection) {
        int number = 0;
        for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection.xcb));
             screens.rem && screens.data->root != root(); xcb_screen_next(&screens))
            ++number;
        m_managerSelection = m_connection.atom(("WM_S" + std::to_string(number)).c_str());
    }
    // Properties that name a window manager can be written by any client, and stay behind when it
    // ends; the selection is owned by the window manager alone, and only while it runs.
    const ReplyPtr<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
        m_connection.xcb, xcb_get_selection_owner(m_connection.xcb, m_managerSelection), nullptr));
    return reply ? reply->owner : 0;
}

XcbWindow::Announcement XcbWindow::announcedFrame() const
{
    const xcb_window_t window = windowId();
    const xcb_screen_t *onScreen = screen();
    if (!window || !onScreen)
        return {};
    const auto cookie = xcb_get_property(m_connection.xcb, false, window, m_connection.frameExtents,
                                         XCB_GET_PROPERTY_TYPE_ANY, 0, 0);
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection.xcb, cookie, nullptr));
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
    if (width >= onScreen->width_in_pixels || height >= onScreen->height_in_pixels)
        return {true, std::nullopt};
    return {true, QMargins(int((*extents)[0]), int((*extents)[2]), int((*extents)[1]), int((*extents)[3]))};
}

std::optional<QMargins> XcbWindow::drawnFrame() const
{
    const xcb_window_t window = windowId();
    if (!window || !root())
        return std::nullopt;
    // The window's ancestor just below the root window: the frame window, where a window manager
    // has framed it. A window manager nests its frame a few windows deep at most.
    constexpr int kDeepestFrame = 8;
    xcb_window_t frameWindow = window;
    for (int depth = 0;; ++depth) {
        const ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection.xcb, xcb_query_tree(m_connection.xcb, frameWindow), nullptr));
        if (!tree || depth == kDeepestFrame)
            return std::nullopt;
        if (tree->parent == root() || tree->parent == XCB_WINDOW_NONE)
            break;
        frameWindow = tree->parent;
    }
    if (frameWindow == window)
        return std::nullopt;
    const auto frameCookie = xcb_get_geometry(m_connection.xcb, frameWindow);
    const auto clientCookie = xcb_get_geometry(m_connection.xcb, window);
    const auto placeCookie = xcb_translate_coordinates(m_connection.xcb, window, frameWindow, 0, 0);
    const ReplyPtr<xcb_get_geometry_reply_t> frame(
        xcb_get_geometry_reply(m_connection.xcb, frameCookie, nullptr));
    const ReplyPtr<xcb_get_geometry_reply_t> client(
        xcb_get_geometry_reply(m_connection.xcb, clientCookie, nullptr));
    const ReplyPtr<xcb_translate_coordinates_reply_t> place(
        xcb_translate_coordinates_reply(m_connection.xcb, placeCookie, nullptr));
    if (!frame || !client || !place)
        return std::nullopt;
    // A frame window that does not hold the whole client shows no frame now: the window manager
    // is shading the window, or animating it as it minimises or restores it.
    const QMargins drawn(place->dst_x, place->dst_y, frame->width - place->dst_x - client->width,
                         frame->height - place->dst_y - client->height);
    if (drawn.left() < 0 || drawn.top() < 0 || drawn.right() < 0 || drawn.bottom() < 0)
        return std::nullopt;
    // The frame window's own border lies around it.
    return drawn + frame->border_width;
}

std::optional<QMargins> XcbWindow::frameExtents() const
{
    const Announcement announced = announcedFrame();
    if (!announced.made) {
        m_unconfirmed = false;
        return m_believedFrame = std::nullopt;
    }
    // A window manager may make its frame window larger than the frame it announces (invisible
    // borders to grab, a shadow), never smaller.
    const std::optional<QMargins> drawn = drawnFrame();
    const std::optional<QMargins> &frame = announced.frame;
    if (frame && (!drawn || (frame->left() <= drawn->left() && frame->top() <= drawn->top() &&
                             frame->right() <= drawn->right() && frame->bottom() <= drawn->bottom()))) {
        m_unconfirmed = false;
        return m_believedFrame = frame;
    }
    // Not borne out: the frame believed before holds while the window manager may be between the
    // two updates; after that, the announcement cannot be true.
    if (!m_unconfirmed) {
        m_unconfirmed = true;
        m_unconfirmedTimeout.start();
    } else if (!m_unconfirmedTimeout.isActive()) {
        m_believedFrame = drawn;
    }
    return m_believedFrame;
}

void XcbWindow::requestFrameExtents()
{
    if (m_frameRequested.isValid() || !root())
        return;
    const auto atoms = m_connection.cardinals(root(), m_connection.supported, XCB_ATOM_ATOM, 4096);
    if (!atoms || std::find(atoms->begin(), atoms->end(), m_connection.frameRequest) == atoms->end())
        return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = windowId();
    message.type = m_connection.frameRequest;
    xcb_send_event(m_connection.xcb, false, root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection.xcb);
    m_frameRequested.start();
}

std::optional<QMargins> XcbWindow::awaitFrameExtents() const
{
    if (!m_frameRequested.isValid())
        return std::nullopt;
    std::optional<QMargins> frame;
    while (!(frame = frameExtents()) && m_frameRequested.elapsed() < kFrameRequestTimeoutMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return frame;
}

Qt::WindowStates XcbWindow::maximisedOrFullScreen() const
{
    const xcb_window_t window = windowId();
    if (!window)
        return Qt::WindowNoState;
    constexpr std::uint32_t kLongestState = 64;
    const auto atoms = m_connection.cardinals(window, m_connection.state, XCB_ATOM_ATOM, kLongestState);
    if (!atoms)
        return Qt::WindowNoState;
    const auto has = [&](xcb_atom_t atom) {
        return std::find(atoms->begin(), atoms->end(), atom) != atoms->end();
    };
    Qt::WindowStates state;
    if (has(m_connection.fullScreen))
        state |= Qt::WindowFullScreen;
    if (has(m_connection.maximisedVertically) && has(m_connection.maximisedHorizontally))
        state |= Qt::WindowMaximized;
    return state;
}

QSize XcbWindow::size() const
{
    const xcb_window_t window = windowId();
    if (!window)
        return QSize();
    const ReplyPtr<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(m_connection.xcb, xcb_get_geometry(m_connection.xcb, window), nullptr));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

QPoint XcbWindow::position() const
{
    const xcb_window_t window = windowId();
    if (!window || !root())
        return QPoint();
    const ReplyPtr<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
        m_connection.xcb, xcb_translate_coordinates(m_connection.xcb, window, root(), 0, 0), nullptr));
    return reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint();
}

void XcbWindow::resize(std::optional<int> width, std::optional<int> height) const
{
    // Qt would send its idea of the window's position along, which a window manager framing the
    // window can have told it wrong (openbox reports the place inside its frame), and its idea of
    // the other length, which is stale while a length asked for before is on its way.
    std::uint16_t mask = 0;
    std::vector<std::uint32_t> values;
    if (width) {
        mask |= XCB_CONFIG_WINDOW_WIDTH;
        values.push_back(std::uint32_t(std::clamp(*width, 1, 32767)));
    }
    if (height) {
        mask |= XCB_CONFIG_WINDOW_HEIGHT;
        values.push_back(std::uint32_t(std::clamp(*height, 1, 32767)));
    }
    if (!mask)
        return;
    xcb_configure_window(m_connection.xcb, windowId(), mask, values.data());
    xcb_flush(m_connection.xcb);
}

void XcbWindow::setMinimumSize(QSize size)
{
    m_minimum = size;
    correctSizeHints();
}

void XcbWindow::correctSizeHints() const
{
    // Qt asks the window manager to size a window in steps of the device pixel ratio, rounded: at
    // a ratio of 1.5 in steps of 2 device pixels, which a window manager that follows them snaps
    // every size to, the least one too (openbox, metacity). Every size is one the window can take:
    // the steps go, and the least size is the window's own, whenever Qt writes the hints.
    constexpr std::uint32_t kMinimumSize = 1U << 4;
    constexpr std::uint32_t kResizeSteps = 1U << 6;
    constexpr std::size_t kFlags = 0;
    constexpr std::size_t kMinimumWidth = 5;
    constexpr std::size_t kMinimumHeight = 6;
    constexpr std::uint32_t kSizeHintsLength = 18;
    const xcb_window_t window = windowId();
    if (!window)
        return;
    const auto read =
        m_connection.cardinals(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, kSizeHintsLength);
    std::vector<std::uint32_t> hints = read.value_or(std::vector<std::uint32_t>());
    hints.resize(kSizeHintsLength);
    hints[kFlags] &= ~kResizeSteps;
    if (m_minimum.width() > 0 || m_minimum.height() > 0) {
        hints[kFlags] |= kMinimumSize;
        hints[kMinimumWidth] = std::uint32_t(std::max(m_minimum.width(), 0));
        hints[kMinimumHeight] = std::uint32_t(std::max(m_minimum.height(), 0));
    }
    // Written only where it changes them: each write is reported back.
    if (read == hints)
        return;
    xcb_change_property(m_connection.xcb, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, kSizeHintsLength, hints.data());
    xcb_flush(m_connection.xcb);
}

bool XcbWindow::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const xcb_window_t window = windowId();
    if (eventType != "xcb_generic_event_t" || !window)
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_PROPERTY_NOTIFY: {
        const auto *property = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (property->window == window && property->atom == m_connection.frameExtents)
            m_changed(Change::FrameExtents);
        if (property->window == window && property->atom == XCB_ATOM_WM_NORMAL_HINTS)
            correctSizeHints();
        break;
    }
    case XCB_REPARENT_NOTIFY:
        if (reinterpret_cast<const xcb_reparent_notify_event_t *>(event)->window == window)
            m_changed(Change::Parent);
        break;
    case XCB_CONFIGURE_NOTIFY:
        if (reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window == window)
            m_changed(Change::Configured);
        break;
    default:
        break;
    }
    return false;
}

} // namespace

std::unique_ptr<X11Window> X11Window::attach(QWidget *window, const std::function<void(Change)> &changed)
{
    auto *native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!native || !native->connection())
        return nullptr;
    Connection connection;
    connection.xcb = native->connection();
    connection.frameExtents = connection.atom("_NET_FRAME_EXTENTS");
    connection.frameRequest = connection.atom("_NET_REQUEST_FRAME_EXTENTS");
    connection.supported = connection.atom("_NET_SUPPORTED");
    connection.state = connection.atom("_NET_WM_STATE");
    connection.fullScreen = connection.atom("_NET_WM_STATE_FULLSCREEN");
    connection.maximisedVertically = connection.atom("_NET_WM_STATE_MAXIMIZED_VERT");
    connection.maximisedHorizontally = connection.atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    return std::make_unique<XcbWindow>(window, connection, changed);
}

} // namespace toolkit
