// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/WindowPlacement.h"

#include "toolkit/DevicePixels.h"
#include "toolkit/WindowGeometry.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace toolkit {

namespace {

// How long after it is first shown a window waits for its window manager's frame: a window manager
// frames a new window within a few milliseconds, a busy one (KWin drawing without a graphics card,
// on a loaded machine) within seconds; a window the user moves or resizes meanwhile is placed. Once
// the frame is known, the window is placed as soon as the sizes it asked for have arrived.
constexpr int kPlacingGraceMs = 10000;

} // namespace

WindowPlacement::WindowPlacement(WindowGeometry &geometry, QWidget *window)
    : m_geometry(geometry)
    , m_window(window)
{
    m_grace.setSingleShot(true);
    m_grace.setInterval(kPlacingGraceMs);
    QObject::connect(&m_grace, &QTimer::timeout, &m_grace,
                     [this] { m_placing = m_geometry.frameKnown() && m_placing; });
    if (!m_geometry.x11())
        return;
    // Monitors come and go, and shrink; each change is looked at once Qt has taken it in.
    const auto watch = [this](const QScreen *screen) {
        QObject::connect(
            screen, &QScreen::geometryChanged, &m_screens, [this] { keepOnScreen(); }, Qt::QueuedConnection);
    };
    for (const QScreen *screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &m_screens, watch);
    QObject::connect(
        qGuiApp, &QGuiApplication::screenRemoved, &m_screens, [this] { keepOnScreen(); },
        Qt::QueuedConnection);
}

bool WindowPlacement::placesWindows()
{
    // A Wayland client cannot place its window: the compositor does.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QScreen *WindowPlacement::workingScreen()
{
    // Qt gives a window that is not yet shown the screen under its default place, which is neither
    // the primary nor the one the user works on. The pointer's place maps to a screen in logical
    // pixels, as each screen's own ratio has it.
    if (QScreen *underPointer = QGuiApplication::screenAt(QCursor::pos()))
        return underPointer;
    return QGuiApplication::primaryScreen();
}

void WindowPlacement::prepare()
{
    if (!placesWindows() || !m_window)
        return;
    // The window is created on the screen under its place, whatever screen it was given. Its place
    // is the client area's, as every place the toolkit gives it: a place of the frame would have Qt
    // ask the window manager's windows for the frame.
    if (QScreen *screen = workingScreen()) {
        m_screen = screen;
        m_window->setScreen(screen);
        m_window->setGeometry(QRect(screen->availableGeometry().topLeft(), m_window->size()));
    }
}

void WindowPlacement::show()
{
    m_placing = placesWindows();
    if (m_placing) {
        // Showing raises the first Resize before the window is mapped, and its handler may change
        // the size: the window is centred again for the size it is mapped with.
        m_geometry.awaitFrame();
        placeCentred();
        m_grace.start();
    }
    m_window->show();
}

QPoint WindowPlacement::centredPosition() const
{
    const QScreen *screen = m_window->screen();
    if (!screen)
        return m_window->geometry().topLeft();
    const QMarginsF margins = m_geometry.frame();
    const QSizeF outer = m_geometry.outerSize();
    const QRectF available = screen->availableGeometry();
    const QPointF outerCorner = available.topLeft() + QPointF((available.width() - outer.width()) / 2,
                                                              (available.height() - outer.height()) / 2);
    // The client area's place, which every window manager honours as it stands; a frame corner
    // would be read differently by each.
    return (outerCorner + QPointF(margins.left(), margins.top())).toPoint();
}

void WindowPlacement::placeCentred()
{
    m_centredAt = centredPosition();
    m_centredSize = m_window->size();
    m_window->setGeometry(QRect(m_centredAt, m_centredSize));
}

void WindowPlacement::keep()
{
    if (!m_placing || !m_window)
        return;
    // Moved since it was centred, by the window manager or the user: the window is placed. Qt has
    // the place asked for at once, and takes a window manager's word for it later, which openbox
    // gives as the place inside its frame while it frames the window; the X server has the place
    // once the window manager has answered. Where either is where it was centred, it was not moved.
    const X11Window *x11 = m_geometry.x11();
    const bool moved = m_window->geometry().topLeft() != m_centredAt &&
                       (!x11 || DevicePixels(m_window).toLogical(x11->position()) != m_centredAt);
    if (moved) {
        m_placing = false;
        return;
    }
    // Centred once the size asked for has arrived, for the frame known then; until the window
    // manager's frame is known, again once it is.
    if (m_geometry.sizeOnItsWay())
        return;
    if (centredPosition() != m_centredAt)
        placeCentred();
    m_placing = !m_geometry.frameKnown() && m_grace.isActive();
}

bool WindowPlacement::onScreen() const
{
    // In the X server's device pixels, which Qt's logical pixels map to differently on each
    // screen.
    const X11Window *x11 = m_geometry.x11();
    const QMarginsF frame = m_geometry.frame() * m_window->devicePixelRatioF();
    const QRect outer = QRectF(QRect(x11->position(), x11->size())).marginsAdded(frame).toAlignedRect();
    return onAnyScreen(outer);
}

void WindowPlacement::keepOnScreen()
{
    // A window that the monitors left behind, on none of them, is centred on the one Qt gives it,
    // where no window manager has brought it back meanwhile.
    if (!m_window || !m_window->isVisible() || (m_geometry.state() & ~Qt::WindowActive) || onScreen())
        return;
    placeCentred();
}

bool WindowPlacement::framing() const
{
    // openbox and KWin reparent a new window into a frame at the screen's corner, and move the
    // frame where the window was put a moment later.
    return m_placing && m_window && m_screen && m_window->screen() != m_screen;
}

bool WindowPlacement::atRest()
{
    if (!framing())
        return false;
    m_screen = m_window->screen();
    return true;
}

void WindowPlacement::takeSize()
{
    if (m_placing && m_window && !framing() && m_geometry.givenFromOutside(m_centredSize))
        m_placing = false;
}

} // namespace toolkit
