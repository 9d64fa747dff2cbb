// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QtCore/qnamespace.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace toolkit {

// The X11 protocol of one top-level window's geometry: what the X server and the window manager
// say about the window (its size, the window manager's frame, whether a window manager runs at
// all), and the requests the toolkit makes of them. Every size here is in the X server's device
// pixels; what they are in the window's logical pixels is decided elsewhere.
//
// Any X client can set properties on any window, and a window manager that has ended leaves its
// properties behind: nothing read here is believed unless it can be true. Where Qt asks the window
// manager for size steps that snap the window's size (at fractional ratios), they are taken back.
class X11Window
{
public:
    // What the X server reports about the window.
    enum class Change {
        FrameExtents, // the window manager has announced a new frame
        State,        // the window manager has given the window another state
        Parent,       // the window was framed, or its frame has gone
        Configured,   // the window was moved or resized
    };

    // The X11 side of a window, or none where the application does not run on X11, or where the
    // program was built without X11. changed runs for each report as it arrives, before Qt takes
    // the same event in.
    static std::unique_ptr<X11Window> attach(QWidget *window, const std::function<void(Change)> &changed);
    virtual ~X11Window() = default;
    X11Window(const X11Window &) = delete;
    X11Window &operator=(const X11Window &) = delete;

    // The window manager that runs now, as every window manager that follows ICCCM makes itself
    // known: the owner of the screen's WM_Sn selection, for as long as it runs. 0 where none runs;
    // another window manager that takes over has another number.
    virtual std::uint32_t windowManager() const = 0;
    // The frame around the window, left, top, right and bottom, as the window manager announces
    // it; none where nothing is announced. Once a window manager has framed the window (put it
    // into a frame window of its own), the client's place in that window and the window's size
    // bound the frame. An announcement that does not fit within them, or that holds no four values
    // that together fit on the screen, is not believed: the frame is then the one the frame window
    // really has, and none where the window is not framed.
    virtual std::optional<QMargins> frameExtents() const = 0;
    // Before the window is mapped: asks the running window manager, where it knows the request, how
    // large a frame it will draw. The window manager answers while the program goes on.
    virtual void requestFrameExtents() = 0;
    // The frame the window manager announced in answer, waited for until a short time after the
    // request; none where there was no request, or no answer came.
    virtual std::optional<QMargins> awaitFrameExtents() const = 0;
    // Whether the window manager has the window maximised or full screen now (_NET_WM_STATE), read
    // as Qt reads it, which takes in the change later.
    virtual Qt::WindowStates maximisedOrFullScreen() const = 0;
    // The client area's size, and its place on the screen, as the X server has them now.
    virtual QSize size() const = 0;
    virtual QPoint position() const = 0;
    // Asks for a new width, height or both of the client area: the other length and the window's
    // place stay the window manager's.
    virtual void resize(std::optional<int> width, std::optional<int> height) const = 0;
    // Makes a size the least the window manager lets the client area have (WM_NORMAL_HINTS),
    // whatever Qt writes there; Qt itself is not told, as it would resize the window to it at once.
    // The hints are written only where the size changes.
    virtual void setMinimumSize(QSize size) = 0;

protected:
    X11Window() = default;
};

} // namespace toolkit
