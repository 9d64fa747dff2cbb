// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/WindowGeometry.h"

#include "toolkit/WindowPlacement.h"

#include <QWidget>

#include <cstdlib>
#include <utility>

namespace toolkit {

namespace {

// How long a window is at rest, with no change reported by the X server, before the program asks
// for a size: a window manager makes the changes of one step within a few milliseconds.
constexpr int kAtRestMs = 100;

constexpr Qt::WindowStates kNotNormal = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

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
    // window in an order of its own, and Qt takes in the state later than the size, or not at all
    // where the window manager takes it back before Qt reads it.
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

void WindowGeometry::setLeastOuterWidth(qreal width)
{
    m_leastOuter.setWidth(width);
    deriveLeastSize();
}

void WindowGeometry::setLeastOuterHeight(qreal height)
{
    m_leastOuter.setHeight(height);
    deriveLeastSize();
}

QMarginsF WindowGeometry::normalFrame() const
{
    // The least size holds in the normal state, with its frame: the frame of a maximised or
    // full-screen window is another. Until the window manager has drawn the window in the normal
    // state, the frame it has now is all there is.
    if (m_x11 && m_manager && m_normalFrame)
        return DevicePixels(m_window).toLogical(*m_normalFrame);
    return frame();
}

void WindowGeometry::deriveLeastSize()
{
    if (!m_window || (m_leastOuter.width() <= 0 && m_leastOuter.height() <= 0))
        return;
    const QMarginsF frame = normalFrame();
    const auto least = [](qreal outer, qreal frame) { return outer > 0 ? clientLength(outer, frame) : 0; };
    const QSize client(least(m_leastOuter.width(), frame.left() + frame.right()),
                       least(m_leastOuter.height(), frame.top() + frame.bottom()));
    m_leastClient = client;
    // On X11 the window manager alone is told, in the device pixels of the monitor the window is on:
    // Qt would resize the window to its minimum at once, which is a size asked for that bypasses
    // the window manager's decision.
    if (m_x11)
        m_x11->setMinimumSize(DevicePixels(m_window).toDevice(client));
    else
        m_window->setMinimumSize(client);
}

// The one place where a size is asked for, in logical pixels.
void WindowGeometry::ask(std::optional<int> width, std::optional<int> height)
{
    // Where no window manager decides (none runs, or the window is not yet shown), the window
    // system grants a size at once, and Qt's own resize gives the reads that follow the new size.
    if (!m_x11 || !m_manager || !m_window->isVisible() || !m_window->internalWinId()) {
        m_window->resize(width.value_or(m_window->width()), height.value_or(m_window->height()));
        return;
    }
    // Otherwise the window manager decides, and may refuse or reshape the request. As it maximises,
    // restores, frames or moves a window, it changes the state, the frame, the monitor and the size
    // one after the other, and a report in between finds a window that is none of them: what a
    // report asks for replaces what the reports before it asked, and goes out in one request once
    // the window has been at rest for a moment, each length as asked (the other length Qt has may
    // be stale), in the device pixels of the monitor the window is on then.
    m_atRest.start();
    if (width)
        m_asked.width = width;
    if (height)
        m_asked.height = height;
}

void WindowGeometry::settle()
{
    if (!m_window || !m_x11)
        return;
    // The frame of the normal state is the one the window has at rest in it: as it restores a
    // window, a window manager gives it the normal state and the normal frame one after the other.
    readFrame();
    if (m_managerFrame && !(state() & kNotNormal)) {
        m_normalFrame = m_managerFrame;
        deriveLeastSize();
    }
    sendAsked();
}

void WindowGeometry::sendAsked()
{
    const Lengths asked = std::exchange(m_asked, {});
    m_keepingSize = false;
    if (!asked.width && !asked.height)
        return;
    const DevicePixels device(m_window);
    m_x11->resize(device.toDevice(asked.width), device.toDevice(asked.height));
    m_sent = true;
}

bool WindowGeometry::sizeOnItsWay() const
{
    return m_asked.width || m_asked.height || m_sent;
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
    const QSize server = m_x11->size();
    m_reportOwed = server.isValid() && DevicePixels(m_window).toLogical(server) != m_window->size();
    if (m_reportOwed)
        return false;
    if (keepingLogicalSize()) {
        m_reportOwed = m_keepingSize;
        return false;
    }
    m_asked = {};
    m_reportedState = state();
    return true;
}

bool WindowGeometry::keepingLogicalSize()
{
    if (m_keepingSize)
        return true;
    if (state() & kNotNormal)
        return false;
    const qreal ratio = m_window->devicePixelRatioF();
    const bool newRatio = m_normalRatio > 0 && ratio != m_normalRatio;
    m_normalRatio = ratio;
    const QSize now = m_window->size();
    // Qt keeps a window's size in device pixels as it comes to a monitor of another ratio, which
    // halves or doubles it to the user's eye. It is asked back to the size it was last given in
    // logical pixels, not to one the program raised to its least size on the other monitor: there
    // and back, it is as it was. The program's Resize handler sees the window at that size, not on
    // the way to it.
    if (newRatio && m_givenSize.isValid() && now != m_givenSize)
        return keep(m_givenSize);
    // Qt names size steps of the new ratio to the window manager as the window comes to it, which
    // are taken back at once; a window manager that read them first snaps the window by a device
    // pixel. The window is asked for the size it keeps once more.
    if (m_keptSize.isValid() && now != m_keptSize) {
        const QSize kept = std::exchange(m_keptSize, QSize());
        const auto snapped = [](int now, int kept, int least) {
            return now != least && std::abs(now - kept) <= 1;
        };
        if (snapped(now.width(), kept.width(), m_leastClient.width()) &&
            snapped(now.height(), kept.height(), m_leastClient.height()))
            return keep(kept);
    }
    // A length raised to the least one, by the program or by the window manager that was told it,
    // was not given: the window keeps the length it had before.
    const auto given = [](int now, int before, int least) {
        return now == least && before < least ? before : now;
    };
    m_givenSize = !m_givenSize.isValid()
                      ? now
                      : QSize(given(now.width(), m_givenSize.width(), m_leastClient.width()),
                              given(now.height(), m_givenSize.height(), m_leastClient.height()));
    return false;
}

bool WindowGeometry::keep(QSize size)
{
    m_keptSize = size;
    ask(size.width(), size.height());
    // Without a window manager the size is there at once, and has been reported meanwhile.
    m_keepingSize = m_window->size() != size;
    return true;
}

// The one place where a size that arrived is taken, after each change the X server reports, once
// Qt has taken in the same event.
void WindowGeometry::take()
{
    m_takePending = false;
    if (!m_window)
        return;
    const bool answered = std::exchange(m_sent, false);
    // A size that is neither an answer nor on its way was given from outside; one that arrives
    // while the program waits for its own is the window manager's, as it frames the window.
    if (!answered && !sizeOnItsWay())
        m_placement->takeSizeFromOutside();
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
    const bool frameChanged = refreshFrame();
    deriveLeastSize();
    if (frameChanged || m_reportOwed || state() != m_reportedState)
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
    if (change != X11Window::Change::Configured && m_placement->placing() && !frameKnown()) {
        readFrame();
        if (frameKnown())
            m_sizeChanged();
    }
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
    m_placement->show();
}

void WindowGeometry::keepCentred()
{
    m_placement->keep();
}

} // namespace toolkit
