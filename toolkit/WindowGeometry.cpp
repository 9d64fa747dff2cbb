// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace toolkit {

namespace {

// How long a window manager that has announced a window maximised, or no longer maximised, is
// given to resize it. One that maximises a window already as large as the screen sends no size.
constexpr int kStateSizeTimeoutMs = 500;
// The largest size of a widget, in logical pixels.
constexpr double kLargestLength = QWIDGETSIZE_MAX;

// The one place where the window system's device pixels meet the window's logical pixels. A frame
// keeps its fractions of a logical pixel. A size is rounded as Qt rounds it, both ways, so that a
// size compared with Qt's or asked of the X server is the one Qt itself has or would ask for: a
// logical size comes back from the device unchanged, a device size not always (at a ratio of 1.5,
// 700 device pixels are 467 logical ones, which are 701 device pixels).
class DevicePixels
{
public:
    explicit DevicePixels(const QWidget *window)
        : m_ratio(window->devicePixelRatioF())
    {}

    QMarginsF toLogical(QMargins frame) const { return QMarginsF(frame) / m_ratio; }
    QSize toLogical(QSize size) const
    {
        return QSize(qRound(size.width() / m_ratio), qRound(size.height() / m_ratio));
    }
    QSize toDevice(QSize size) const { return size * m_ratio; }

private:
    qreal m_ratio;
};

// The least whole length of a client area whose outer length, with a frame of the given length,
// is not below the one given. A hair of tolerance keeps a sum of fractions that is whole from
// counting as more.
int clientLength(qreal outer, qreal frame)
{
    return static_cast<int>(std::clamp(std::ceil(outer - frame - 1e-6), 0.0, kLargestLength));
}

} // namespace

WindowGeometry::WindowGeometry(QWidget *window, std::function<void()> sizeChanged)
    : m_window(window)
    , m_sizeChanged(std::move(sizeChanged))
    , m_x11(X11Window::attach(window, [this](X11Window::Change change) { onX11Change(change); }))
{
    m_stateSizeTimeout.setSingleShot(true);
    m_stateSizeTimeout.setInterval(kStateSizeTimeoutMs);
    connect(&m_stateSizeTimeout, &QTimer::timeout, this, [this] {
        // The state is reported with the size there is.
        m_reportedClient = QSize();
        m_resizeOwed = false;
        m_sizeChanged();
    });
}

WindowGeometry::~WindowGeometry() = default;

QMarginsF WindowGeometry::frame() const
{
    // On X11 the frame is the running window manager's, as it announces it; Qt's own idea of it
    // would believe what any client wrote there.
    if (m_x11)
        return m_managerFrame ? DevicePixels(m_window).toLogical(*m_managerFrame) : kNominalFrame;
    if (m_window && m_window->testAttribute(Qt::WA_WState_Created)) {
        const QRect inner = m_window->geometry();
        const QRect outer = m_window->frameGeometry();
        const QMarginsF real(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        // Only a decoration has a title bar; Qt's offscreen platform reports an even border of
        // its own, and a Wayland compositor's own decoration is not known to the client.
        if (real.top() > real.left())
            return real;
    }
    return kNominalFrame;
}

QSizeF WindowGeometry::frameSize() const
{
    const QMarginsF margins = frame();
    return QSizeF(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSizeF WindowGeometry::outerSize() const
{
    return QSizeF(m_window->size()) + frameSize();
}

Qt::WindowStates WindowGeometry::state() const
{
    Qt::WindowStates state = m_window->windowState();
    if (m_x11 && !m_managed)
        state &= ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    return state;
}

void WindowGeometry::setOuterWidth(qreal width)
{
    resizeClient(QSize(clientLength(width, frameSize().width()), m_window->height()));
}

void WindowGeometry::setOuterHeight(qreal height)
{
    resizeClient(QSize(m_window->width(), clientLength(height, frameSize().height())));
}

void WindowGeometry::resizeClient(QSize size)
{
    // Where no window manager decides, the X server grants a size at once, and Qt's own resize
    // gives the reads that follow the new size; so does a window manager placing a window it has
    // only begun to manage. Otherwise a window manager may refuse or reshape the request: it is
    // sent as it stands, and the size is reported when the X server has it.
    if (!m_x11 || !m_managed || m_placing || !m_window->isVisible() || !m_window->internalWinId()) {
        m_window->resize(size);
        return;
    }
    m_x11->resize(DevicePixels(m_window).toDevice(size));
}

void WindowGeometry::setMinimumOuterWidth(qreal width)
{
    // The window manager takes the minimum of the client area (WM_NORMAL_HINTS on X11), with the
    // frame the window has now. It is not followed through later changes of the frame: the frame
    // of a maximised window is not the one it is restored with, and a window manager refuses to
    // restore a window to a size below its minimum.
    m_window->setMinimumWidth(clientLength(width, frameSize().width()));
}

void WindowGeometry::setMinimumOuterHeight(qreal height)
{
    m_window->setMinimumHeight(clientLength(height, frameSize().height()));
}

void WindowGeometry::centreOnScreen()
{
    // A Wayland client cannot place its window: the compositor does.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    if (m_x11) {
        // The window exists but is not mapped: a window manager that knows the request, asked as
        // the window was set up, says how large a frame it will draw, so that the outer size
        // centred is the real one.
        m_managerFrame = m_managed ? m_x11->awaitFrameExtents() : std::nullopt;
        m_lastFrame = frame();
    }
    // Where the frame is only known once the window manager has framed the window, the window is
    // centred again then.
    m_centring = m_managed && !m_managerFrame;
    placeCentred();
}

QPoint WindowGeometry::centredPosition() const
{
    const QScreen *screen = m_window->screen();
    if (!screen)
        return m_window->geometry().topLeft();
    const QMarginsF margins = frame();
    const QSizeF outer = outerSize();
    const QRectF available = screen->availableGeometry();
    const QPointF outerCorner = available.topLeft() + QPointF((available.width() - outer.width()) / 2,
                                                              (available.height() - outer.height()) / 2);
    // The client area's place, which every window manager honours as it stands; a frame corner
    // would be read differently by each.
    return (outerCorner + QPointF(margins.left(), margins.top())).toPoint();
}

void WindowGeometry::placeCentred()
{
    m_centredAt = centredPosition();
    m_window->setGeometry(QRect(m_centredAt, m_window->size()));
}

void WindowGeometry::askForFrame()
{
    if (!m_x11)
        return;
    m_window->winId();
    m_managed = m_x11->managerRunning();
    if (m_managed)
        m_x11->requestFrameExtents();
}

void WindowGeometry::showCentred()
{
    centreOnScreen();
    // Showing raises the first Resize before the window is mapped, and its handler may change the
    // size: the window is centred for the size it is mapped with.
    m_placing = true;
    m_window->show();
    m_placing = false;
}

void WindowGeometry::keepCentred()
{
    if (m_placing && centredPosition() != m_centredAt)
        placeCentred();
}

void WindowGeometry::onX11Change(X11Window::Change change)
{
    if (change == X11Window::Change::Configured) {
        if (m_resizeOwed || !m_managed)
            scheduleCheck();
        return;
    }
    // A window manager that could not say beforehand how large its frame would be has framed the
    // window. Unless it has been moved meanwhile, its Resize runs at once with the real frame, and
    // it is centred again for the size that Resize gives it: both requests reach the window
    // manager before Qt paints the first frame.
    if (m_centring) {
        readFrame();
        if (m_managerFrame) {
            m_centring = false;
            if (m_window->geometry().topLeft() == m_centredAt) {
                m_placing = true;
                m_sizeChanged();
                keepCentred();
                m_placing = false;
            }
        }
    }
    scheduleCheck();
}

void WindowGeometry::scheduleCheck()
{
    // Qt takes in the same event after this: the check runs once it has.
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
    const QSize client = m_x11->size();
    const QSize logical = DevicePixels(m_window).toLogical(client);
    if (m_placing && client.isValid() && logical != m_window->size()) {
        // The window manager has fitted the size of the window it is placing to its own rules
        // (Qt asks for size steps of 2 device pixels at a ratio of 1.5): the Resize reads the
        // size the window is mapped with.
        m_window->resize(logical);
    }
    const bool underWay = (client.isValid() && logical != m_window->size()) || stateAwaitsItsSize(client);
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
    // window manager has had its time, the state waits for its size. A state that a window manager
    // which has ended left behind brings no size.
    const Qt::WindowStates now = state();
    if (now & Qt::WindowMinimized)
        return false;
    const bool maximised = (now & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
    if (m_managed && maximised != m_reportedMaximised && client.isValid() && client == m_reportedClient) {
        if (!m_stateSizeTimeout.isActive())
            m_stateSizeTimeout.start();
        return true;
    }
    m_stateSizeTimeout.stop();
    m_reportedClient = client;
    m_reportedMaximised = maximised;
    return false;
}

void WindowGeometry::readFrame()
{
    if (!m_x11 || !m_window || !m_window->internalWinId())
        return;
    // A frame is believed only from a window manager that runs: one that has ended leaves its
    // last frame behind on the window.
    m_managed = m_x11->managerRunning();
    m_managerFrame = m_managed ? m_x11->frameExtents() : std::nullopt;
}

bool WindowGeometry::refreshFrame()
{
    readFrame();
    const QMarginsF now = frame();
    if (now == m_lastFrame)
        return false;
    m_lastFrame = now;
    return true;
}

// After a new frame, or a configure of the window while a Resize is owed or no window manager
// runs.
void WindowGeometry::check()
{
    m_checkPending = false;
    if (!m_window)
        return;
    if (refreshFrame() || std::exchange(m_resizeOwed, false))
        m_sizeChanged();
    else if (m_x11 && !m_managed)
        followServerSize();
}

void WindowGeometry::followServerSize()
{
    // Qt takes in only the last of several configures of a window that arrive together, and only
    // when its size differs from the last one Qt took in: a size given from outside right after the
    // window's own resize, equal to the one given before that, never reaches the window. Without a
    // window manager every size the X server has is granted; the window takes it, asking the X
    // server for what it already has, and reports it.
    const QSize server = DevicePixels(m_window).toLogical(m_x11->size());
    if (server.isValid() && server != m_window->size())
        m_window->resize(server);
}

} // namespace toolkit
