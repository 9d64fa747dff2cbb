// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A window's frame and state as the window system has them, and the reports of its size: a size
// that arrived is taken in one place, and reported once the window has it.

#include "toolkit/WindowGeometry.h"

#include "toolkit/WindowPlacement.h"

#include <QEvent>
#include <QWidget>

#include <utility>

namespace toolkit {

namespace {

// How long a window is at rest, with no change reported by the X server, before the program asks
// for a size: a window manager makes the changes of one step within a few milliseconds.
constexpr int kAtRestMs = 100;

} // namespace

WindowGeometry::WindowGeometry(QWidget *window, std::function<void()> sizeChanged)
    : m_window(window)
    , m_sizeChanged(std::move(sizeChanged))
    , m_x11(X11Window::attach(window, [this](X11Window::Change change) { onX11Change(change); }))
    , m_placement(std::make_unique<WindowPlacement>(*this, window))
{
    m_atRest.setSingleShot(true);
    m_atRest.setInterval(kAtRestMs);
    connect(&m_atRest, &QTimer::timeout, this, &WindowGeometry::settle);
    if (m_x11)
        window->installEventFilter(this);
}

WindowGeometry::~WindowGeometry() = default;

bool WindowGeometry::eventFilter(QObject *watched, QEvent *event)
{
    // Qt moves a window to another screen without a resize where the screen it was on goes away,
    // or as Qt alone reads its place anew: the new ratio is reported all the same.
    if (watched == m_window && event->type() == QEvent::ScreenChangeInternal)
        scheduleTake();
    return false;
}

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
    return m_x11 ? m_state : m_window->windowState();
}

void WindowGeometry::readState()
{
    // Read where the window manager writes it: a window manager writes the state and resizes the
    // window in an order of its own, and Qt takes in the state later than the size, or not at all
    // where the window manager takes it back before Qt reads it. It is read as each change is taken
    // in, so that it stays what it is while a handler runs: the window manager changes it whenever
    // it likes, a toggle of full screen in the middle of the Resize handler among them.
    m_state = m_window->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen);
    if (!m_manager)
        m_state &= ~Qt::WindowMinimized;
    else
        m_state |= m_x11->maximisedOrFullScreen();
}

bool WindowGeometry::sizeArrived()
{
    refreshFrame();
    if (!m_x11 || !m_window || !m_window->internalWinId())
        return true;
    deriveLeastSize();
    // A window manager that maximises or restores a window announces the new state and frame and
    // resizes the client, in an order of its own; a request of the program's own arrives later
    // too. When the X server has the client at another size than Qt, that size is on its way: the
    // window is reported once it has arrived, at the latest at the window's next configure, should
    // Qt see no change in it.
    // Nothing is taken while Qt has the window on a monitor it only passes through, or is not on.
    if (m_placement->framing() || !onQtsScreen()) {
        m_reportOwed = true;
        m_sizeReadElsewhere = true;
        return false;
    }
    const QSize server = m_x11->size();
    m_reportOwed = server.isValid() && DevicePixels(m_window).toLogical(server) != m_window->size();
    if (m_reportOwed) {
        // Where the screen a window is on goes away, Qt moves it to another without resizing it,
        // and keeps its size in logical pixels where the X server has kept it in device pixels:
        // no size is on its way but the one it keeps, which is asked for.
        if (!m_keepingSize && !(state() & kNotNormal)) {
            if (const std::optional<QSize> kept =
                    m_givenSize.takeRatio(m_window->devicePixelRatioF(), room()))
                keep(*kept);
        }
        return false;
    }
    if (keepingLogicalSize()) {
        m_reportOwed = m_keepingSize;
        return false;
    }
    m_asked = {};
    m_reportedState = state();
    m_reportedRatio = m_window->devicePixelRatioF();
    return true;
}

// The one place where a size that arrived is taken, after each change the X server reports, once
// Qt has taken in the same event.
void WindowGeometry::take()
{
    m_takePending = false;
    if (!m_window)
        return;
    // The answer to lengths sent is the window's next configure, the size it brings or a refusal.
    const bool answered = m_sent && std::exchange(m_configured, false);
    if (answered)
        m_sent = false;
    // A size that arrives while the program waits for its own is the window manager's, as it
    // frames the window.
    if (!answered && !sizeOnItsWay())
        m_placement->takeSize();
    if (m_x11 && !m_manager) {
        // Qt takes in only the last of several configures of a window that arrive together, and
        // only when its size differs from the last one Qt took in: a size given from outside right
        // after the window's own resize, equal to the one given before that, never reaches the
        // window. Without a window manager every size the X server has is granted, and taken.
        if (takeServerSize())
            return;
    }
    const bool frameChanged = refreshFrame();
    deriveLeastSize();
    if (frameChanged || m_reportOwed || state() != m_reportedState ||
        m_window->devicePixelRatioF() != m_reportedRatio)
        m_sizeChanged();
    else
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
    if (change != X11Window::Change::Configured && m_placement->placing() && !frameKnown()) {
        readFrame();
        if (frameKnown())
            m_sizeChanged();
    }
    if (change == X11Window::Change::Configured)
        m_configured = true;
    m_atRest.start();
    scheduleTake();
}

void WindowGeometry::readFrame()
{
    if (!m_x11 || !m_window || !m_window->internalWinId())
        return;
    // A frame is believed only from a window manager that runs: one that has ended leaves its
    // last frame behind on the window, and another that takes over draws another.
    const std::uint32_t manager = m_x11->windowManager();
    if (manager != m_manager)
        m_normalFrame.reset();
    m_manager = manager;
    m_managerFrame = m_manager ? m_x11->frameExtents() : std::nullopt;
    readState();
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

void WindowGeometry::awaitFrame()
{
    if (!m_x11)
        return;
    // The window exists but is not mapped: a window manager that knows the request, asked as the
    // window was created, says how large a frame it will draw for the normal state.
    m_managerFrame = m_manager ? m_x11->awaitFrameExtents() : std::nullopt;
    if (m_managerFrame)
        m_normalFrame = m_managerFrame;
    m_lastFrame = frame();
}

void WindowGeometry::prepareCentred()
{
    m_placement->prepare();
    if (!m_x11)
        return;
    m_window->winId();
    m_manager = m_x11->windowManager();
    if (m_manager)
        m_x11->requestFrameExtents();
}

void WindowGeometry::showCentred()
{
    m_givenSize.show(m_window->size());
    m_placement->show();
}

void WindowGeometry::keepCentred()
{
    // Whether a size that arrived was asked for is known once the change that brought it is taken.
    if (m_takePending)
        return;
    m_placement->keep();
}

} // namespace toolkit
