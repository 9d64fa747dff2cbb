// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
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

// The frame a window system draws around a window's client area, in pixels.
struct FrameMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return left + right; }
    int height() const { return top + bottom; }
    bool operator==(const FrameMargins &) const = default;
};

// The frame of the design's platform, a 4 pixel border around a 19 pixel caption bar: the frame a
// window has where no window manager draws one (Xvfb without a window manager, Qt's offscreen
// platform).
inline constexpr FrameMargins kNominalFrame{4, 23, 4, 4};

// The window system's rules for the geometry of a top-level window: the frame around it, its real
// outer and inner size, the least size the window manager lets the user give it, and the place that
// centres it on the screen.
//
// A window manager decides a window's geometry and may refuse a program's request, most of all
// while the user drags the frame: the sizes reported are always those the window system has. The
// frame is the window manager's own (its _NET_FRAME_EXTENTS on X11, Qt's decoration on Wayland) and
// is known to change after the window is first shown; every change of it is reported, since it
// changes the outer size.
class WindowGeometry : public QObject, private QAbstractNativeEventFilter
{
public:
    // sizeChanged runs whenever the frame changes while the window exists, and when a size that
    // was on its way has arrived without Qt reporting it.
    WindowGeometry(QWidget *window, std::function<void()> sizeChanged);
    ~WindowGeometry() override;

    FrameMargins frame() const;
    QSize outerSize() const;

    // Resizes the window to an outer size in pixels, frame included, along one axis.
    void setOuterWidth(int pixels);
    void setOuterHeight(int pixels);

    // Makes an outer size the least the window manager lets the user drag the window to; it holds
    // for the program's own requests as well.
    void setMinimumOuterWidth(int pixels);
    void setMinimumOuterHeight(int pixels);

    // Reads the frame afresh from the window system; true when it has changed since last read.
    bool refreshFrame();

    // Whether the window system is resizing the window to a size not yet reported; its arrival is
    // reported then. A false answer means the size and state are reported now.
    bool resizeUnderWay();

    // Places the window, before it is first shown, in the middle of its screen's available area,
    // with the frame the window manager will give it.
    void centreOnScreen();

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void resizeClient(QSize size);
    bool stateAwaitsItsSize(QSize client);
    void scheduleCheck();
    void check();
    void placeCentred();

    struct X11;
    QPointer<QWidget> m_window;
    std::function<void()> m_sizeChanged;
    std::unique_ptr<X11> m_x11;
    // The frame as last reported by the window manager itself, where it says.
    std::optional<FrameMargins> m_managerFrame;
    FrameMargins m_lastFrame;
    bool m_checkPending = false;
    bool m_resizeOwed = false;
    // The client's size and whether it was maximised at the last size and state reported.
    QSize m_reportedClient;
    bool m_reportedMaximised = false;
    // Runs while a change into or out of the maximised state waits for its size.
    QTimer m_stateSizeTimeout;
    // Centred before the window manager's frame was known: where the client area was put.
    bool m_centring = false;
    QPoint m_centredAt;
};

} // namespace toolkit
