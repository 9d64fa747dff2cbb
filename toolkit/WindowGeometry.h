// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/DevicePixels.h"
#include "toolkit/GivenSize.h"
#include "toolkit/X11Window.h"

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace toolkit {

class WindowPlacement;

// The window system's rules for the geometry of a top-level window: the frame around it, its real
// outer and inner size, its state, and the least size the window manager lets the user give it.
// Sizes are in the window's logical pixels; the window manager's frame, which it draws in device
// pixels, is a fraction of a logical pixel where the device pixel ratio does not divide it.
//
// A window manager decides a window's geometry and may refuse a program's request, most of all
// while the user drags the frame or where the screen is smaller than the window: the sizes
// reported are always those the window system has. A size is asked for in one place and taken in
// one place: what is asked goes out as it stands, and the window is reported at the size that
// arrives. The frame is the window manager's own (on X11 the one it announces where that can be
// true, on Wayland Qt's decoration) and is known to change after the window is first shown; every
// change of it, and of the state the window manager gives the window, is reported, since they
// change the outer size and what the program may write.
//
// What follows from what the window has now is derived from it, never remembered: the least size
// the window manager is told follows from the least outer size the program keeps, the device pixel
// ratio of the monitor the window is on, and the frame of the normal state. A window that comes to
// a monitor of another ratio keeps its size in logical pixels, as desktops that scale each monitor
// do.
class WindowGeometry : public QObject
{
public:
    // sizeChanged runs whenever the frame or the state changes while the window exists, and when a
    // size that arrived was not reported by Qt.
    WindowGeometry(QWidget *window, std::function<void()> sizeChanged);
    ~WindowGeometry() override;

    QMarginsF frame() const;
    QSizeF outerSize() const;
    // The window's state as the window system keeps it, as of the last change taken in. Without a
    // running window manager nothing maximises or minimises an X11 window, whatever any client
    // wrote.
    Qt::WindowStates state() const;

    // Resizes the window along one axis to an outer size, frame included: the client area takes
    // the least whole size whose outer size is not below it. Where no window manager decides, the
    // new size is there at once; otherwise it is reported when it arrives.
    void setOuterWidth(qreal width);
    void setOuterHeight(qreal height);

    // Makes an outer length the least the window manager lets the user drag the window to, in the
    // normal state; it holds for the program's own requests as well.
    void setLeastOuterWidth(qreal width);
    void setLeastOuterHeight(qreal height);

    // Before the window's size is reported: reads the frame afresh, and says whether the window
    // has the size the window system has. While a size is still on its way it has not, and the
    // size is reported once it has arrived. What the report asks for replaces what the reports
    // before it asked.
    bool sizeArrived();

    // Before a window that is to be shown centred is created: puts it on the monitor the user
    // works on, and asks the window manager how large a frame it will draw.
    void prepareCentred();
    // Shows the window for the first time in the middle of its monitor's available area, with the
    // frame the window manager will give it.
    void showCentred();
    // After the window's size has been reported: until it is placed, it is centred again for the
    // size and frame it has now.
    void keepCentred();

    // What the placement of a new window reads.
    X11Window *x11() const { return m_x11.get(); }
    // Whether the frame the window will have is known, and whether a size asked for is on its way.
    bool frameKnown() const;
    bool sizeOnItsWay() const;
    // Whether the window's size, since it had the one given, has been changed from outside: by the
    // user, or by another client, not by a window manager carrying out what the program asked.
    bool givenFromOutside(QSize before) const;
    // Waits for the frame the window manager was asked for as the window was created.
    void awaitFrame();

private:
    static constexpr Qt::WindowStates kNotNormal =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Client lengths in logical pixels, each where one is asked for.
    struct Lengths
    {
        std::optional<int> width;
        std::optional<int> height;
    };

    QSizeF frameSize() const;
    QMarginsF normalFrame() const;
    bool refreshFrame();
    void readFrame();
    void readState();
    void deriveLeastSize();
    bool keepingLogicalSize();
    bool keep(QSize size);
    QSize room() const;
    void onX11Change(X11Window::Change change);
    void ask(std::optional<int> width, std::optional<int> height);
    void settle();
    bool takeServerSize();
    bool onQtsScreen() const;
    void sendAsked();
    void take();
    void scheduleTake();

    QPointer<QWidget> m_window;
    std::function<void()> m_sizeChanged;
    std::unique_ptr<X11Window> m_x11;
    std::unique_ptr<WindowPlacement> m_placement;
    // The window manager that ran at the last read, 0 for none, and the frame it drew then, in
    // device pixels, where one could be believed; the frame it last drew in the normal state.
    std::uint32_t m_manager = 0;
    std::optional<QMargins> m_managerFrame;
    std::optional<QMargins> m_normalFrame;
    QMarginsF m_lastFrame = kNominalFrame;
    Qt::WindowStates m_state = Qt::WindowNoState;
    // The least outer size in logical pixels, 0 along an axis that has none.
    QSizeF m_leastOuter{0, 0};
    // Lengths asked for and not yet sent, which go once the window is at rest (no change reported by
    // the X server for a moment), and whether lengths were sent that are not yet answered.
    Lengths m_asked;
    Lengths m_lastAsked;
    QTimer m_atRest;
    bool m_sent = false;
    // Whether the window was configured since it was last looked at.
    bool m_configured = false;
    bool m_takePending = false;
    // A report skipped because its size was on its way, to be made when the size has arrived.
    bool m_reportOwed = false;
    // Qt took in a size while the window manager framed the window on another monitor, at that
    // monitor's ratio.
    bool m_sizeReadElsewhere = false;
    // The state and the device pixel ratio the last report was made in.
    Qt::WindowStates m_reportedState = Qt::WindowNoState;
    qreal m_reportedRatio = 0;
    // The least client size in logical pixels, as last derived.
    QSize m_leastClient{0, 0};
    // The size the window keeps on monitors of every ratio, and whether it is asking for it.
    GivenSize m_givenSize;
    bool m_keepingSize = false;
};

} // namespace toolkit
