// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/X11Window.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <cstdint>
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
// while the user drags the frame or where the screen is smaller than the window: the sizes
// reported are always those the window system has. A size is asked for in one place and taken in
// one place: what is asked goes out as it stands, and the window is reported at the size that
// arrives. The frame is the window manager's own (on X11 the one it announces where that can be
// true, on Wayland Qt's decoration) and is known to change after the window is first shown; every
// change of it is reported, since it changes the outer size.
class WindowGeometry : public QObject
{
public:
    // sizeChanged runs whenever the frame changes while the window exists, and when a size that
    // arrived was not reported by Qt.
    WindowGeometry(QWidget *window, std::function<void()> sizeChanged);
    ~WindowGeometry() override;

    QMarginsF frame() const;
    QSizeF outerSize() const;
    // The window's state as the window system keeps it. Without a running window manager nothing
    // maximises or minimises an X11 window, whatever any client wrote.
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

    // Before the window's size is reported: reads the frame afresh, and says whether the window
    // has the size the window system has. While a size is still on its way it has not, and the
    // size is reported once it has arrived. What the report asks for replaces what the reports
    // before it asked.
    bool sizeArrived();

    // Before a window that is to be shown centred is set up, and before showCentred: asks the
    // window manager how large a frame it will draw, which it answers meanwhile.
    void askForFrame();
    // Shows the window for the first time in the middle of its screen's available area, with the
    // frame the window manager will give it.
    void showCentred();
    // After the window's size has been reported: until it is placed, it is centred again for the
    // size and frame it has now.
    void keepCentred();

private:
    // Client lengths in the X server's device pixels, each where one is asked for.
    struct Lengths
    {
        std::optional<int> width;
        std::optional<int> height;
    };
    // A client length that the window manager answered with a smaller one.
    struct Refusal
    {
        int asked = -1;
        int answered = -1;
    };
    // What a window manager's refusal depends on.
    struct Conditions
    {
        QRect screen;
        qreal ratio = 0;
        std::uint32_t manager = 0;
        bool operator==(const Conditions &) const = default;
    };

    QSizeF frameSize() const;
    bool frameKnown() const;
    bool refreshFrame();
    void readFrame();
    void onX11Change(X11Window::Change change);
    void setMinimumClient(std::optional<int> width, std::optional<int> height);
    void ask(std::optional<int> width, std::optional<int> height);
    void sendAsked();
    void take();
    void scheduleTake();
    Conditions conditions() const;
    bool centreOnScreen();
    QPoint centredPosition() const;
    void placeCentred();

    QPointer<QWidget> m_window;
    std::function<void()> m_sizeChanged;
    std::unique_ptr<X11Window> m_x11;
    // The window manager that ran at the last read, 0 for none, and the frame it drew then, in
    // device pixels, where one could be believed.
    std::uint32_t m_manager = 0;
    std::optional<QMargins> m_managerFrame;
    QMarginsF m_lastFrame = kNominalFrame;
    // The least client size, in logical pixels.
    QSize m_minimum{0, 0};
    // Lengths asked for and not yet sent, which go once the window is at rest, and lengths sent and
    // not yet answered.
    Lengths m_asked;
    QTimer m_atRest;
    Lengths m_sent;
    // Per axis, width and height, the last length refused, and under what it was.
    Refusal m_refused[2];
    Conditions m_refusedUnder;
    bool m_takePending = false;
    // A report skipped because its size was on its way, to be made when the size has arrived.
    bool m_reportOwed = false;
    // Where the client area was put to centre the window, and whether the window is still being
    // placed: shown, but its size or the window manager's frame not yet settled.
    QPoint m_centredAt;
    bool m_placing = false;
};

} // namespace toolkit
