// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/X11Window.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace toolkit {

// The frame of the design's platform, a 4 pixel border around a 19 pixel caption bar, in logical
// pixels: the frame a window has where no window manager draws one (an X server without a window
// manager, Qt's offscreen platform).
inline constexpr QMarginsF kNominalFrame{4, 23, 4, 4};

// The window system's rules for the geometry of a top-level window: the frame around it, its real
// outer and inner size, its state, the least size the window manager lets the user give it, and
// the place that centres it on the screen. Sizes are in the window's logical pixels; the window
// manager's frame, which it draws in device pixels, is a fraction of a logical pixel where the
// device pixel ratio does not divide it.
//
// A window manager decides a window's geometry and may refuse a program's request, most of all
// while the user drags the frame: the sizes reported are always those the window system has. The
// frame is the window manager's own (its _NET_FRAME_EXTENTS on X11, Qt's decoration on Wayland) and
// is known to change after the window is first shown; every change of it is reported, since it
// changes the outer size.
class WindowGeometry : public QObject
{
public:
    // sizeChanged runs whenever the frame changes while the window exists, and when a size that
    // was on its way has arrived without Qt reporting it.
    WindowGeometry(QWidget *window, std::function<void()> sizeChanged);
    ~WindowGeometry() override;

    QMarginsF frame() const;
    QSizeF outerSize() const;
    // The window's state as the window system keeps it. Without a running window manager nothing
    // maximises or minimises an X11 window, whatever one that has ended left behind.
    Qt::WindowStates state() const;

    // Resizes the window along one axis to an outer size, frame included: the client area takes
    // the least whole size whose outer size is not below it. Where no window manager decides, the
    // new size is there at once; otherwise it is reported when it arrives.
    void setOuterWidth(qreal width);
    void setOuterHeight(qreal height);

    // Makes an outer size the least the window manager lets the user drag the window to; it holds
    // for the program's own requests as well.
    void setMinimumOuterWidth(qreal width);
    void setMinimumOuterHeight(qreal height);

    // Reads the frame afresh from the window system; true when it has changed since last read.
    bool refreshFrame();

    // Whether the window system is resizing the window to a size not yet reported; its arrival is
    // reported then. A false answer means the size and state are reported now.
    bool resizeUnderWay();

    // Before a window that is to be shown centred is set up, and before showCentred: asks the
    // window manager how large a frame it will draw, which it answers meanwhile.
    void askForFrame();
    // Shows the window for the first time in the middle of its screen's available area, with the
    // frame the window manager will give it.
    void showCentred();
    // After the window's size has been reported: while it is being placed, before Qt paints its
    // first frame, it is centred again for the size it has now.
    void keepCentred();

private:
    QSizeF frameSize() const;
    void readFrame();
    void onX11Change(X11Window::Change change);
    void resizeClient(QSize size);
    bool stateAwaitsItsSize(QSize client);
    void scheduleCheck();
    void check();
    void followServerSize();
    void centreOnScreen();
    QPoint centredPosition() const;
    void placeCentred();

    QPointer<QWidget> m_window;
    std::function<void()> m_sizeChanged;
    std::unique_ptr<X11Window> m_x11;
    // Whether a window manager ran at the last read, and the frame it announced then, in device
    // pixels, where it could be believed.
    bool m_managed = false;
    std::optional<QMargins> m_managerFrame;
    QMarginsF m_lastFrame = kNominalFrame;
    bool m_checkPending = false;
    bool m_resizeOwed = false;
    // The client's device size and whether it was maximised at the last size and state reported.
    QSize m_reportedClient;
    bool m_reportedMaximised = false;
    // Runs while a change into or out of the maximised state waits for its size.
    QTimer m_stateSizeTimeout;
    // Where the client area was put to centre the window; whether the window is being placed (shown for the
    // first time, or framed by a window manager that could not say its frame beforehand); whether it was
    // centred before the window manager's frame was known.
    QPoint m_centredAt;
    bool m_placing = false;
    bool m_centring = false;
};

} // namespace toolkit
