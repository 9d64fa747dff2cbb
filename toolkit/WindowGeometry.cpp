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

// How long a window is at rest, with no change reported by the X server, before the program asks
// for a size: a window manager makes the changes of one step within a few milliseconds.
constexpr int kAtRestMs = 100;
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
    QPoint toLogical(QPoint point) const
    {
        return QPoint(qRound(point.x() / m_ratio), qRound(point.y() / m_ratio));
    }
    std::optional<int> toDevice(std::optional<int> length) const
    {
        return length ? std::optional<int>(qRound(*length * m_ratio)) : std::nullopt;
    }

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
    m_atRest.setSingleShot(true);
    m_atRest.setInterval(kAtRestMs);
    connect(&m_atRest, &QTimer::timeout, this, &WindowGeometry::sendAsked);
}

WindowGeometry::~WindowGeometry() = default;

QMarginsF WindowGeometry::frame() const
{
    // On X11 the frame is the running window manager's, where it can be true; Qt's own idea of it
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
    if (!m_x11)
        return state;
    state &= ~(Qt::WindowMaximized | Qt::WindowFullScreen);
    if (!m_manager)
        return state & ~Qt::WindowMinimized;
    // Read where the window manager writes it: a window manager writes the state and resizes the
    // window in an order of its own, and Qt takes in the state later than the size.
    return state | m_x11->maximisedOrFullScreen();
}

void WindowGeometry::setOuterWidth(qreal width)
{
    ask(clientLength(width, frameSize().width()), std::nullopt);
}

void WindowGeometry::setOuterHeight(qreal height)
{
    ask(std::nullopt, clientLength(height, frameSize().height()));
}

void WindowGeometry::setMinimumOuterWidth(qreal width)
{
    setMinimumClient(clientLength(width, frameSize().width()), std::nullopt);
}

void WindowGeometry::setMinimumOuterHeight(qreal height)
{
    setMinimumClient(std::nullopt, clientLength(height, frameSize().height()));
}

void WindowGeometry::setMinimumClient(std::optional<int> width, std::optional<int> height)
{
    // The window manager takes the minimum of the client area, with the frame the window has now.
    // It is not followed through later changes of the frame: the frame of a maximised window is
    // not the one it is restored with, and a window manager refuses to restore a window to a size
    // below its minimum.
    m_minimum = QSize(width.value_or(m_minimum.width()), height.value_or(m_minimum.height()));
    // On X11 the window manager alone is told: Qt would resize the window to its minimum at once,
    // which is a size asked for that bypasses the window manager's decision.
    if (m_x11) {
        const DevicePixels device(m_window);
        m_x11->setMinimumSize(
            QSize(*device.toDevice(m_minimum.width()), *device.toDevice(m_minimum.height())));
    } else {
        m_window->setMinimumSize(m_minimum);
    }
}

// The one place where a size is asked for.
void WindowGeometry::ask(std::optional<int> width, std::optional<int> height)
{
    // Where no window manager decides (none runs, or the window is not yet shown), the window
    // system grants a size at once, and Qt's own resize gives the reads that follow the new size.
    if (!m_x11 || !m_manager || !m_window->isVisible() || !m_window->internalWinId()) {
        m_window->resize(width.value_or(m_window->width()), height.value_or(m_window->height()));
        return;
    }
    // Otherwise the window manager decides, and may refuse or reshape the request. As it maximises,
    // restores or frames a window, it changes the state, the frame and the size one after the
    // other, and a report in between finds a window that is none of them: what a report asks for
    // replaces what the reports before it asked, and goes out in one request once the window has
    // been at rest for a moment, each length as asked (the other length Qt has may be stale).
    m_atRest.start();
    const DevicePixels device(m_window);
    if (width)
        m_asked.width = device.toDevice(width);
    if (height)
        m_asked.height = device.toDevice(height);
}

void WindowGeometry::sendAsked()
{
    const Lengths asked = std::exchange(m_asked, {});
    if (!m_window || !m_x11)
        return;
    // A length the window manager has answered with a smaller one, which the window still has, is
    // not asked for again: the window manager would answer the same (the screen is too small), and
    // each answer would bring the request again. A new screen, scale or window manager may allow it.
    if (conditions() != m_refusedUnder)
        std::fill(std::begin(m_refused), std::end(m_refused), Refusal{});
    const QSize server = m_x11->size();
    const auto wanted = [](std::optional<int> length, const Refusal &refusal, int now) {
        return length && !(*length == refusal.asked && now == refusal.answered) ? length : std::nullopt;
    };
    const Lengths send{wanted(asked.width, m_refused[0], server.width()),
                       wanted(asked.height, m_refused[1], server.height())};
    if (!send.width && !send.height) {
        keepCentred();
        return;
    }
    m_x11->resize(send.width, send.height);
    if (send.width)
        m_sent.width = send.width;
    if (send.height)
        m_sent.height = send.height;
}

bool WindowGeometry::sizeArrived()
{
    refreshFrame();
    if (!m_x11 || !m_window || !m_window->internalWinId())
        return true;
    // A window manager that maximises or restores a window announces the new state and frame and
    // resizes the client, in an order of its own; a request of the program's own arrives later
    // too. When the X server has the client at another size than Qt, that size is on its way: the
    // window is reported once it has arrived, at the latest at the window's next configure, should
    // Qt see no change in it.
    const QSize server = m_x11->size();
    m_reportOwed = server.isValid() && DevicePixels(m_window).toLogical(server) != m_window->size();
    if (!m_reportOwed)
        m_asked = {};
    return !m_reportOwed;
}

// The one place where a size that arrived is taken, after each change the X server reports, once
// Qt has taken in the same event.
void WindowGeometry::take()
{
    m_takePending = false;
    if (!m_window)
        return;
    if (m_atRest.isActive())
        m_atRest.start();
    const bool answered = m_x11 && (m_sent.width || m_sent.height);
    if (answered) {
        // The answer to the lengths sent. A window manager that cannot give a length answers with
        // a smaller one, which is remembered with what it depends on.
        const QSize server = m_x11->size();
        const auto judge = [](std::optional<int> sent, int now, Refusal &refusal) {
            if (sent && now < *sent)
                refusal = Refusal{*sent, now};
        };
        judge(std::exchange(m_sent.width, std::nullopt), server.width(), m_refused[0]);
        judge(std::exchange(m_sent.height, std::nullopt), server.height(), m_refused[1]);
        m_refusedUnder = conditions();
    }
    if (m_x11 && !m_manager) {
        // Qt takes in only the last of several configures of a window that arrive together, and
        // only when its size differs from the last one Qt took in: a size given from outside right
        // after the window's own resize, equal to the one given before that, never reaches the
        // window. Without a window manager every size the X server has is granted; the window
        // takes it, asking the X server for what it already has, and reports it.
        const QSize server = DevicePixels(m_window).toLogical(m_x11->size());
        if (server.isValid() && server != m_window->size()) {
            m_window->resize(server);
            return;
        }
    }
    if (refreshFrame() || m_reportOwed)
        m_sizeChanged();
    else if (answered)
        keepCentred();
}

void WindowGeometry::scheduleTake()
{
    if (std::exchange(m_takePending, true))
        return;
    QMetaObject::invokeMethod(
        this, [this] { take(); }, Qt::QueuedConnection);
}

void WindowGeometry::onX11Change(X11Window::Change change)
{
    // A window manager that could not say beforehand how large its frame would be has framed the
    // window: its size is reported at once with the real frame, and it is centred again, before Qt
    // paints its first frame.
    if (change != X11Window::Change::Configured && m_placing && !frameKnown()) {
        readFrame();
        if (frameKnown())
            m_sizeChanged();
    }
    scheduleTake();
}

void WindowGeometry::readFrame()
{
    if (!m_x11 || !m_window || !m_window->internalWinId())
        return;
    // A frame is believed only from a window manager that runs: one that has ended leaves its
    // last frame behind on the window.
    m_manager = m_x11->windowManager();
    m_managerFrame = m_manager ? m_x11->frameExtents() : std::nullopt;
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

bool WindowGeometry::frameKnown() const
{
    return !m_x11 || !m_manager || m_managerFrame;
}

WindowGeometry::Conditions WindowGeometry::conditions() const
{
    const QScreen *screen = m_window->screen();
    return {screen ? screen->geometry() : QRect(), m_window->devicePixelRatioF(), m_manager};
}

bool WindowGeometry::centreOnScreen()
{
    // A Wayland client cannot place its window: the compositor does.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    if (m_x11) {
        // The window exists but is not mapped: a window manager that knows the request, asked as
        // the window was set up, says how large a frame it will draw, so that the outer size
        // centred is the real one.
        m_managerFrame = m_manager ? m_x11->awaitFrameExtents() : std::nullopt;
        m_lastFrame = frame();
    }
    placeCentred();
    return true;
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
    m_manager = m_x11->windowManager();
    if (m_manager)
        m_x11->requestFrameExtents();
}

void WindowGeometry::showCentred()
{
    // Showing raises the first Resize before the window is mapped, and its handler may change the
    // size: the window is centred for the size it is mapped with.
    m_placing = centreOnScreen();
    m_window->show();
}

void WindowGeometry::keepCentred()
{
    if (!m_placing || !m_window)
        return;
    // Moved since it was centred, by the window manager or the user: the window is placed. Qt has
    // the place asked for at once, and takes a window manager's word for it later, which openbox
    // gives as the place inside its frame while it frames the window; the X server has the place
    // once the window manager has answered. Where either is where it was centred, it was not moved.
    const bool moved = m_window->geometry().topLeft() != m_centredAt &&
                       (!m_x11 || DevicePixels(m_window).toLogical(m_x11->position()) != m_centredAt);
    if (moved) {
        m_placing = false;
        return;
    }
    // Centred once the size asked for has arrived, for the frame known then; until the window
    // manager's frame is known, again once it is.
    if (m_asked.width || m_asked.height || m_sent.width || m_sent.height)
        return;
    if (centredPosition() != m_centredAt)
        placeCentred();
    m_placing = !frameKnown();
}

} // namespace toolkit
