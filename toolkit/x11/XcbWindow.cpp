// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/X11Window.h"
#include "toolkit/x11/SizeHints.h"
#include "toolkit/x11/WindowFrame.h"
#include "toolkit/x11/XcbConnection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <string>

namespace toolkit {

namespace {

using namespace x11;

// The X11 side of a window on Qt's own connection to the X server: what the window manager and the
// X server say about it, read when asked, and what they report, passed on as it arrives.
class XcbWindow final : public X11Window, private QAbstractNativeEventFilter
{
public:
    XcbWindow(QWidget *window, const Connection &connection, std::function<void(Change)> changed);
    ~XcbWindow() override;

    std::uint32_t windowManager() const override;
    std::optional<QMargins> frameExtents() const override { return m_frame.extents(); }
    void requestFrameExtents() override { m_frame.request(); }
    std::optional<QMargins> awaitFrameExtents() const override { return m_frame.awaitAnswer(); }
    Qt::WindowStates maximisedOrFullScreen() const override;
    QSize size() const override;
    QPoint position() const override;
    void resize(std::optional<int> width, std::optional<int> height) const override;
    void setMinimumSize(QSize size) override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    const Connection m_connection;
    const WindowIds m_ids;
    std::function<void(Change)> m_changed;
    WindowFrame m_frame;
    // The selection the screen's window manager owns, once known.
    mutable xcb_atom_t m_managerSelection = XCB_ATOM_NONE;
    // The least size of the client area, empty where there is none.
    QSize m_minimum;
};

XcbWindow::XcbWindow(QWidget *window, const Connection &connection, std::function<void(Change)> changed)
    : m_connection(connection)
    , m_ids(window, m_connection)
    , m_changed(std::move(changed))
    , m_frame(m_ids, m_connection, [this] { m_changed(Change::FrameExtents); })
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbWindow::~XcbWindow()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::uint32_t XcbWindow::windowManager() const
{
    if (!m_managerSelection)
        m_managerSelection = m_connection.atom(("WM_S" + std::to_string(m_ids.screenNumber())).c_str());
    // Properties that name a window manager can be written by any client, and stay behind when it
    // ends; the selection is owned by the window manager alone, and only while it runs.
    const auto reply = replyTo(m_connection.xcb, xcb_get_selection_owner_reply,
                               xcb_get_selection_owner(m_connection.xcb, m_managerSelection));
    return reply ? reply->owner : 0;
}

Qt::WindowStates XcbWindow::maximisedOrFullScreen() const
{
    const xcb_window_t window = m_ids.window();
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
    const xcb_window_t window = m_ids.window();
    if (!window)
        return QSize();
    const auto reply =
        replyTo(m_connection.xcb, xcb_get_geometry_reply, xcb_get_geometry(m_connection.xcb, window));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

QPoint XcbWindow::position() const
{
    const xcb_window_t window = m_ids.window();
    const xcb_window_t root = m_ids.root();
    if (!window || !root)
        return QPoint();
    const auto reply = replyTo(m_connection.xcb, xcb_translate_coordinates_reply,
                               xcb_translate_coordinates(m_connection.xcb, window, root, 0, 0));
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
    xcb_configure_window(m_connection.xcb, m_ids.window(), mask, values.data());
    xcb_flush(m_connection.xcb);
}

void XcbWindow::setMinimumSize(QSize size)
{
    if (size == m_minimum)
        return;
    m_minimum = size;
    correctSizeHints(m_connection, m_ids.window(), m_minimum);
}

bool XcbWindow::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const xcb_window_t window = m_ids.window();
    if (eventType != "xcb_generic_event_t" || !window)
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_PROPERTY_NOTIFY: {
        const auto *property = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (property->window == window && property->atom == m_connection.frameExtents)
            m_changed(Change::FrameExtents);
        if (property->window == window && property->atom == m_connection.state)
            m_changed(Change::State);
        if (property->window == window && property->atom == XCB_ATOM_WM_NORMAL_HINTS)
            correctSizeHints(m_connection, window, m_minimum);
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
    return std::make_unique<XcbWindow>(window, Connection::open(native->connection()), changed);
}

} // namespace toolkit
