// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/WindowGeometry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace toolkit {

namespace {

// How long a window about to be shown waits for the window manager to say how large its frame
// will be. A window manager answers within a few milliseconds; one that does not answer costs
// the start-up no more than this.
constexpr int kFrameRequestTimeoutMs = 250;
// How long a window manager that has announced a window maximised, or no longer maximised, is
// given to resize it. One that maximises a window already as large as the screen sends no size.
constexpr int kStateSizeTimeoutMs = 500;

template<class Reply>
struct FreeReply
{
    void operator()(Reply *reply) const { std::free(reply); }
};
template<class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

} // namespace

// The X11 side: the frame a reparenting window manager puts around the window, as it announces
// it in _NET_FRAME_EXTENTS, and the request that makes it announce the frame before the window is
// mapped (_NET_REQUEST_FRAME_EXTENTS).
struct WindowGeometry::X11
{
    xcb_connection_t *connection = nullptr;
    xcb_atom_t frameExtents = XCB_ATOM_NONE;
    xcb_atom_t frameRequest = XCB_ATOM_NONE;
    xcb_atom_t supported = XCB_ATOM_NONE;
    xcb_atom_t supportingWmCheck = XCB_ATOM_NONE;

    static std::unique_ptr<X11> connect();
    xcb_atom_t atom(const char *name) const;
    xcb_window_t rootOf(xcb_window_t window) const;
    std::optional<FrameMargins> readFrameExtents(xcb_window_t window) const;
    QSize size(xcb_window_t window) const;
    bool managerAnswersFrameRequests(xcb_window_t root) const;
    void requestFrameExtents(xcb_window_t root, xcb_window_t window) const;
    std::vector<std::uint32_t> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                         std::uint32_t count) const;
};

std::unique_ptr<WindowGeometry::X11> WindowGeometry::X11::connect()
{
    auto *native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!native || !native->connection())
        return nullptr;
    auto x11 = std::make_unique<X11>();
    x11->connection = native->connection();
    x11->frameExtents = x11->atom("_NET_FRAME_EXTENTS");
    x11->frameRequest = x11->atom("_NET_REQUEST_FRAME_EXTENTS");
    x11->supported = x11->atom("_NET_SUPPORTED");
    x11->supportingWmCheck = x11->atom("_NET_SUPPORTING_WM_CHECK");
    return x11;
}

xcb_atom_t WindowGeometry::X11::atom(const char *name) const
{
    const auto cookie =
        xcb_intern_atom(connection, false, static_cast<std::uint16_t>(std::strlen(name)), name);
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t WindowGeometry::X11::rootOf(xcb_window_t window) const
{
    const ReplyPtr<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

std::vector<std::uint32_t> WindowGeometry::X11::cardinals(xcb_window_t window, xcb_atom_t property,
                                                          xcb_atom_t type, std::uint32_t count) const
{
    const auto cookie = xcb_get_property(connection, false, window, property, type, 0, count);
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + reply->value_len};
}

std::optional<FrameMargins> WindowGeometry::X11::readFrameExtents(xcb_window_t window) const
{
    // Left, right, top, bottom.
    const std::vector<std::uint32_t> extents = cardinals(window, frameExtents, XCB_ATOM_CARDINAL, 4);
    if (extents.size() != 4)
        return std::nullopt;
    return FrameMargins{static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                        static_cast<int>(extents[1]), static_cast<int>(extents[3])};
}

QSize WindowGeometry::X11::size(xcb_window_t window) const
{
    const ReplyPtr<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

bool WindowGeometry::X11::managerAnswersFrameRequests(xcb_window_t root) const
{
    // A running window manager names its check window on the root window and on that window
    // itself; the root's list of what it supports may be left over from one that has ended.
    const std::vector<std::uint32_t> check = cardinals(root, supportingWmCheck, XCB_ATOM_WINDOW, 1);
    if (check.empty() || cardinals(check[0], supportingWmCheck, XCB_ATOM_WINDOW, 1) != check)
        return false;
    const std::vector<std::uint32_t> atoms = cardinals(root, supported, XCB_ATOM_ATOM, 4096);
    return std::find(atoms.begin(), atoms.end(), frameRequest) != atoms.end();
}

void WindowGeometry::X11::requestFrameExtents(xcb_window_t root, xcb_window_t window) const
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = frameRequest;
    xcb_send_event(connection, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

WindowGeometry::WindowGeometry(QWidget *window, std::function<void()> sizeChanged)
    : m_window(window)
    , m_sizeChanged(std::move(sizeChanged))
    , m_x11(X11::connect())
    , m_lastFrame(kNominalFrame)
{
    m_stateSizeTimeout.setSingleShot(true);
    m_stateSizeTimeout.setInterval(kStateSizeTimeoutMs);
    connect(&m_stateSizeTimeout, &QTimer::timeout, this, [this] {
        // The state is reported with the size there is.
        m_reportedClient = QSize();
        m_resizeOwed = false;
        m_sizeChanged();
    });
    if (m_x11)
        QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowGeometry::~WindowGeometry()
{
    if (m_x11 && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

FrameMargins WindowGeometry::frame() const
{
    if (m_managerFrame)
        return *m_managerFrame;
    if (m_window && m_window->testAttribute(Qt::WA_WState_Created)) {
        const QRect inner = m_window->geometry();
        const QRect outer = m_window->frameGeometry();
        const FrameMargins real{inner.left() - outer.left(), inner.top() - outer.top(),
                                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
        // Only a window manager's frame has a title bar; Qt's offscreen platform reports an even
        // border of its own.
        if (real.top > real.left)
            return real;
    }
    return kNominalFrame;
}

QSize WindowGeometry::outerSize() const
{
    const FrameMargins margins = frame();
    return m_window->size() + QSize(margins.width(), margins.height());
}

void WindowGeometry::setOuterWidth(int pixels)
{
    resizeClient(QSize(std::max(0, pixels - frame().width()), m_window->height()));
}

void WindowGeometry::setOuterHeight(int pixels)
{
    resizeClient(QSize(m_window->width(), std::max(0, pixels - frame().height())));
}

void WindowGeometry::resizeClient(QSize size)
{
    if (!m_x11 || !m_window->isVisible() || !m_window->internalWinId()) {
        m_window->resize(size);
        return;
    }
    // Qt would send its idea of the window's position along, which a window manager framing the
    // window can have told it wrong (openbox reports the place inside its frame): the size alone
    // leaves the window where it is. The new size is reported when the X server has it.
    const qreal ratio = m_window->devicePixelRatio();
    const std::uint32_t values[] = {static_cast<std::uint32_t>(std::max(1, qRound(size.width() * ratio))),
                                    static_cast<std::uint32_t>(std::max(1, qRound(size.height() * ratio)))};
    xcb_configure_window(m_x11->connection, static_cast<xcb_window_t>(m_window->internalWinId()),
                         XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(m_x11->connection);
}

void WindowGeometry::setMinimumOuterWidth(int pixels)
{
    // The window manager takes the minimum of the client area (WM_NORMAL_HINTS on X11), with the
    // frame the window has now. It is not followed through later changes of the frame: the frame
    // of a maximised window is not the one it is restored with, and a window manager refuses to
    // restore a window to a size below its minimum.
    m_window->setMinimumWidth(std::max(0, pixels - frame().width()));
}

void WindowGeometry::setMinimumOuterHeight(int pixels)
{
    m_window->setMinimumHeight(std::max(0, pixels - frame().height()));
}

void WindowGeometry::centreOnScreen()
{
    // A Wayland client cannot place its window: the compositor does.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    if (m_x11) {
        // The window exists but is not mapped: a window manager that knows the request says now
        // how large a frame it will draw, so that the outer size centred is the real one.
        const auto window = static_cast<xcb_window_t>(m_window->winId());
        const xcb_window_t root = m_x11->rootOf(window);
        if (root != XCB_WINDOW_NONE && m_x11->managerAnswersFrameRequests(root)) {
            m_x11->requestFrameExtents(root, window);
            QElapsedTimer clock;
            clock.start();
            while (!(m_managerFrame = m_x11->readFrameExtents(window)) &&
                   clock.elapsed() < kFrameRequestTimeoutMs)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        m_lastFrame = frame();
    }
    // Where the frame is only known once the window manager has framed the window, the window is
    // centred again then, unless it has been moved meanwhile.
    m_centring = !m_managerFrame;
    placeCentred();
}

void WindowGeometry::placeCentred()
{
    const QScreen *screen = m_window->screen();
    if (!screen)
        return;
    const FrameMargins margins = frame();
    const QSize outer = outerSize();
    const QRect available = screen->availableGeometry();
    const QPoint outerCorner = available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                                            (available.height() - outer.height()) / 2);
    // The client area's place, which every window manager honours as it stands; a frame corner
    // would be read differently by each.
    m_centredAt = outerCorner + QPoint(margins.left, margins.top);
    m_window->setGeometry(QRect(m_centredAt, m_window->size()));
}

bool WindowGeometry::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || !m_window || !m_window->internalWinId())
        return false;
    const auto window = static_cast<xcb_window_t>(m_window->internalWinId());
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_PROPERTY_NOTIFY: {
        const auto *property = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (property->window == window && property->atom == m_x11->frameExtents)
            scheduleCheck();
        break;
    }
    case XCB_REPARENT_NOTIFY:
        if (reinterpret_cast<const xcb_reparent_notify_event_t *>(event)->window == window)
            scheduleCheck();
        break;
    case XCB_CONFIGURE_NOTIFY:
        if (m_resizeOwed && reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window == window)
            scheduleCheck();
        break;
    default:
        break;
    }
    return false;
}

void WindowGeometry::scheduleCheck()
{
    // Qt takes in the same event after this filter: the check runs once it has.
    if (m_checkPending)
        return;
    m_checkPending = true;
    QMetaObject::invokeMethod(
        this, [this] { check(); }, Qt::QueuedConnection);
}

bool WindowGeometry::resizeUnderWay()
{
    // A window manager that maximises or restores a window announces the new state and frame
    // and resizes the client, in an order of its own: between them the outer size is neither the
    // old nor the new one. When the X server has the client at another size than the last one
    // reported, that resize is on its way, and is reported with the state and frame it belongs to.
    if (!m_x11 || !m_window || !m_window->internalWinId())
        return false;
    const QSize client = m_x11->size(static_cast<xcb_window_t>(m_window->internalWinId()));
    const bool underWay = (client.isValid() && client != m_window->size() * m_window->devicePixelRatio()) ||
                          stateAwaitsItsSize(client);
    // Qt reports no change when its size is already the one the server then takes: the change
    // is reported here instead, at the next configure of the window.
    m_resizeOwed = m_resizeOwed || underWay;
    return underWay;
}

bool WindowGeometry::stateAwaitsItsSize(QSize client)
{
    // Openbox announces the maximised state and its frame before it resizes the client: a
    // maximised window with the size it had before, whose outer size can then be smaller than any
    // the window was allowed. Until the client has another size than at the last report, or the
    // window manager has had its time, the state waits for its size.
    const Qt::WindowStates state = m_window->windowState();
    if (state & Qt::WindowMinimized)
        return false;
    const bool maximised = (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
    if (maximised != m_reportedMaximised && client.isValid() && client == m_reportedClient) {
        if (!m_stateSizeTimeout.isActive())
            m_stateSizeTimeout.start();
        return true;
    }
    m_stateSizeTimeout.stop();
    m_reportedClient = client;
    m_reportedMaximised = maximised;
    return false;
}

bool WindowGeometry::refreshFrame()
{
    if (m_x11 && m_window && m_window->internalWinId())
        m_managerFrame = m_x11->readFrameExtents(static_cast<xcb_window_t>(m_window->internalWinId()));
    const FrameMargins now = frame();
    if (now == m_lastFrame)
        return false;
    m_lastFrame = now;
    return true;
}

// After a new frame, or a configure of the window while a Resize is owed.
void WindowGeometry::check()
{
    m_checkPending = false;
    if (!m_window)
        return;
    const bool newFrame = refreshFrame();
    if (newFrame && m_centring && m_window->geometry().topLeft() == m_centredAt)
        placeCentred();
    m_centring = m_centring && !newFrame;
    if (newFrame || std::exchange(m_resizeOwed, false))
        m_sizeChanged();
}

} // namespace toolkit
