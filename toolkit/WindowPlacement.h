// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QTimer>

class QScreen;
class QWidget;

namespace toolkit {

class WindowGeometry;

// Where a window is: a new one opens in the middle of the available area of the monitor the user
// works on, the one under the pointer, else the primary, with the frame the window manager gives
// it. The window is placed once the window manager's frame is known, or once its grace has passed
// without one; until then it is centred again for the size and frame it has, but never after its
// size was given from outside, nor once it was moved. A window that the monitors leave behind, on
// none of them, is centred on one. On Wayland the compositor places a window, and the program does
// not.
class WindowPlacement
{
public:
    WindowPlacement(WindowGeometry &geometry, QWidget *window);

    // Before the window is created: puts it on the monitor the user works on.
    void prepare();
    // Shows the window for the first time, centred.
    void show();
    // After the window's size has been reported: centred again while it is being placed.
    void keep();
    // A size has arrived that the program was not waiting for: where it was given from outside,
    // the window is placed.
    void takeSize();
    // After the monitors changed: a window on none of them is brought onto one.
    void keepOnScreen();
    bool placing() const { return m_placing; }
    // While the window manager frames the window it can hold it for a moment on another monitor
    // than the one it was put on, and Qt follows it there, at that monitor's ratio: nothing the
    // window has then is its own.
    bool framing() const;
    // The window has been at rest for a while: where that is on another monitor, the window
    // manager has put it there. Whether the window was still being framed.
    bool atRest();

private:
    static bool placesWindows();
    static QScreen *workingScreen();
    QPoint centredPosition() const;
    bool onScreen() const;
    void placeCentred();

    WindowGeometry &m_geometry;
    QPointer<QWidget> m_window;
    // Where the client area was put to centre the window and the size it had then, and whether the
    // window is still being placed: shown, but its size or the window manager's frame not yet
    // settled.
    QPoint m_centredAt;
    QSize m_centredSize;
    // The monitor the window was put on.
    QPointer<QScreen> m_screen;
    bool m_placing = false;
    QTimer m_grace;
    // What watches the monitors.
    QObject m_screens;
};

} // namespace toolkit
