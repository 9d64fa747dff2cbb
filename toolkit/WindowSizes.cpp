// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The sizes a window asks for: the lengths the program writes, asked for once the window is at
// rest; the least size the window manager is told, derived from what the window has now; and the
// size the window keeps on monitors of every ratio.

#include "toolkit/WindowGeometry.h"

#include "toolkit/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace toolkit {

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
    m_lastAsked = {width ? width : m_lastAsked.width, height ? height : m_lastAsked.height};
    // Where no window manager decides (none runs, or the window is not yet shown), the window
    // system grants a size at once, and Qt's own resize gives the reads that follow the new size.
    if (!m_x11 || !m_manager || !m_window->isVisible() || !m_window->internalWinId()) {
        m_window->resize(width.value_or(m_window->width()), height.value_or(m_window->height()));
        // Qt leaves a window alone at the size it believes it has, which is not the X server's
        // after Qt moved the window to another screen without a configure: the X server is given
        // the size Qt has now (a Resize handler run meanwhile may have asked for another).
        const DevicePixels device(m_window);
        const QSize now = m_window->size();
        if (m_x11 && m_window->isVisible() && m_window->internalWinId() &&
            device.toLogical(m_x11->size()) != now)
            m_x11->resize(device.toDevice(now.width()), device.toDevice(now.height()));
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
    // What the window has now is its own: reported, where a report waited for the window manager
    // to finish framing it.
    if (m_placement->atRest())
        scheduleTake();
    // The frame of the normal state is the one the window has at rest in it: as it restores a
    // window, a window manager gives it the normal state and the normal frame one after the other.
    readFrame();
    if (m_managerFrame && !(state() & kNotNormal)) {
        m_normalFrame = m_managerFrame;
        deriveLeastSize();
    }
    sendAsked();
    // Qt takes in a configure at the ratio of the screen it believes the window is on. While a
    // window manager frames a window on a monitor right of another, Qt can believe it on the other
    // for a moment, and keeps the logical size it read there once the window is back: at rest,
    // with nothing on its way, the X server's size is the window's. Qt asks for it with its place
    // and its own size steps written anew, which KWin, placing a new window, takes for a request
    // made before it placed the window, and leaves the window at the screen's corner: while a
    // window is being placed, its size is taken so only where Qt read one elsewhere.
    if (!sizeOnItsWay() && (m_sizeReadElsewhere || !m_placement->placing())) {
        takeServerSize();
        m_sizeReadElsewhere = m_placement->framing() || !onQtsScreen();
    }
}

bool WindowGeometry::takeServerSize()
{
    // The window takes the size the X server has, asking the X server for what it already has,
    // and reports it.
    const QSize server = DevicePixels(m_window).toLogical(m_x11->size());
    if (!server.isValid() || server == m_window->size() || m_placement->framing() || !onQtsScreen())
        return false;
    m_window->resize(server);
    return true;
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
    m_configured = false;
}

bool WindowGeometry::givenFromOutside(QSize before) const
{
    // Along each axis: the length before, one a window manager snapped to size steps by a pixel,
    // the length asked for last, or the least, which the window manager was told.
    const auto own = [](int now, int before, std::optional<int> asked, int least) {
        return std::abs(now - before) <= 1 || now == asked || now == least;
    };
    // The size the X server has: Qt back from a monitor of another ratio, where a window manager
    // framing the window held it for a moment, keeps the logical size it read there until the
    // next configure.
    const QSize server = m_x11 ? m_x11->size() : QSize();
    const QSize now = server.isValid() ? DevicePixels(m_window).toLogical(server) : m_window->size();
    return !own(now.width(), before.width(), m_lastAsked.width, m_leastClient.width()) ||
           !own(now.height(), before.height(), m_lastAsked.height, m_leastClient.height());
}

bool WindowGeometry::sizeOnItsWay() const
{
    return m_asked.width || m_asked.height || m_sent;
}

bool WindowGeometry::keepingLogicalSize()
{
    if (m_keepingSize)
        return true;
    if (state() & kNotNormal)
        return false;
    const std::optional<QSize> kept = m_givenSize.take(m_window->size(), m_window->devicePixelRatioF(),
                                                       {.least = m_leastClient, .room = room()});
    return kept && keep(*kept);
}

bool WindowGeometry::onQtsScreen() const
{
    // While a window manager frames a window, Qt can take it for a moment for one on another
    // monitor, at that monitor's ratio, which it leaves again at the window manager's next
    // configure: Qt's sizes meanwhile are not the window's, and none is taken. Qt's screen holds
    // some of the client area where the X server has it, or no monitor does.
    const QScreen *screen = m_window->screen();
    const QRect client(m_x11->position(), m_x11->size());
    return !screen || !client.isValid() || deviceGeometry(*screen).intersects(client) || !onAnyScreen(client);
}

QSize WindowGeometry::room() const
{
    // The client area's room on the monitor the window is on, with its frame around it.
    const QScreen *screen = m_window->screen();
    const QSizeF available =
        screen ? QSizeF(screen->availableGeometry().size()) : QSizeF(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSizeF room = available - frameSize();
    return QSize(std::max(1, int(room.width())), std::max(1, int(room.height())));
}

bool WindowGeometry::keep(QSize size)
{
    ask(size.width(), size.height());
    // The program's Resize handler sees the window at that size, not on the way to it. Without a
    // window manager the size is there at once, and has been reported meanwhile.
    m_keepingSize = m_window->size() != size;
    return true;
}

} // namespace toolkit
