// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/X11Window.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace toolkit {

namespace {

// How long a window about to be shown waits for the window manager to say how large its frame
// will be. A window manager answers within a few milliseconds; one that does not answer costs
// the start-up no more than this.
constexpr int kFrameRequestTimeoutMs = 250;

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
    xcb_atom_t supportingWmCheck = XCB_ATOM_NONE;

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

    bool managerRunning() const override;
    std::optional<QMargins> frameExtents() const override;
    void requestFrameExtents() override;
    std::optional<QMargins> awaitFrameExtents() const override;
    QSize size() const override;
    void resize(QSize size) const override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void allowEverySize() const;
    xcb_window_t windowId() const;
    xcb_window_t root() const;
    QSize screenSize() const;

    QPointer<QWidget> m_window;
    const Connection m_connection;
    std::function<void(Change)> m_changed;
    // The root window the window is on, once known: a window never changes screens.
    mutable xcb_window_t m_root = XCB_WINDOW_NONE;
    // Since the window manager was asked for the frame; invalid before.
    QElapsedTimer m_frameRequested;
};

XcbWindow::XcbWindow(QWidget *window, const Connection &connection, std::function<void(Change)> changed)
    : m_window(window)
    , m_connection(connection)
    , m_changed(std::move(changed))
{
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

bool XcbWindow::managerRunning() const
{
    if (!root())
        return false;
    const auto check = m_connection.cardinals(root(), m_connection.supportingWmCheck, XCB_ATOM_WINDOW, 1);
    if (!check || check->size() != 1)
        return false;
    // The check window of a window manager that has ended is gone with it.
    return m_connection.cardinals(check->front(), m_connection.supportingWmCheck, XCB_ATOM_WINDOW, 1) ==
           check;
}

QSize XcbWindow::screenSize() const
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection.xcb)); screens.rem;
         xcb_screen_next(&screens)) {
        if (screens.data->root == root())
            return QSize(screens.data->width_in_pixels, screens.data->height_in_pixels);
    }
    return QSize();
}

std::optional<QMargins> XcbWindow::frameExtents() const
{
    const xcb_window_t window = windowId();
    if (!window)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto extents = m_connection.cardinals(window, m_connection.frameExtents, XCB_ATOM_CARDINAL, 4);
    if (!extents || extents->size() != 4)
        return std::nullopt;
    // Unsigned and summed in 64 bits: a value at or above 2^31 is no negative frame, and no sum
    // wraps around. A frame is smaller than the screen it is on.
    const QSize screen = screenSize();
    const auto width = std::int64_t((*extents)[0]) + (*extents)[1];
    const auto height = std::int64_t((*extents)[2]) + (*extents)[3];
    if (width >= screen.width() || height >= screen.height())
        return std::nullopt;
    return QMargins(int((*extents)[0]), int((*extents)[2]), int((*extents)[1]), int((*extents)[3]));
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

QSize XcbWindow::size() const
{
    const xcb_window_t window = windowId();
    if (!window)
        return QSize();
    const ReplyPtr<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(m_connection.xcb, xcb_get_geometry(m_connection.xcb, window), nullptr));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

void XcbWindow::resize(QSize size) const
{
    // Qt would send its idea of the window's position along, which a window manager framing the
    // window can have told it wrong (openbox reports the place inside its frame).
    const std::uint32_t values[] = {std::uint32_t(std::clamp(size.width(), 1, 32767)),
                                    std::uint32_t(std::clamp(size.height(), 1, 32767))};
    xcb_configure_window(m_connection.xcb, windowId(), XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(m_connection.xcb);
}

void XcbWindow::allowEverySize() const
{
    // Qt asks the window manager to size a window in steps of the device pixel ratio, rounded: at
    // a ratio of 1.5 in steps of 2 device pixels, which a window manager that follows them snaps
    // every size to, the least one too (openbox, metacity). Every size is one the window can take:
    // the steps go, whenever Qt writes them.
    constexpr std::uint32_t kResizeSteps = 1U << 6;
    constexpr std::uint32_t kSizeHintsLength = 18;
    const xcb_window_t window = windowId();
    auto hints =
        m_connection.cardinals(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, kSizeHintsLength);
    if (!hints || hints->empty() || !(hints->front() & kResizeSteps))
        return;
    hints->front() &= ~kResizeSteps;
    xcb_change_property(m_connection.xcb, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, static_cast<std::uint32_t>(hints->size()), hints->data());
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
            allowEverySize();
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
    connection.supportingWmCheck = connection.atom("_NET_SUPPORTING_WM_CHECK");
    return std::make_unique<XcbWindow>(window, connection, changed);
}

} // namespace toolkit
