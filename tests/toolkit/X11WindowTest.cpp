// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs on an X server without a window manager, at the device pixel ratio the environment gives
// (CTest runs it at 1 and at 1.5). Where a window manager is needed the test plays its part: it
// names a check window on the root window, as a running window manager does, and announces frames
// and states on the window; when the play ends the window is unmanaged again. Sizes the X server
// reports are device pixels, the window's own are logical ones.

#include "tests/toolkit/ProbeWindow.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindowStateChangeEvent>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

using namespace toolkit;
using probe::ProbeWindow;

namespace {

xcb_connection_t *connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t xcbWindow(const Form &form)
{
    return static_cast<xcb_window_t>(form.widget()->winId());
}

xcb_window_t root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection(), xcb_intern_atom(connection(), false, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

void setProperty(xcb_window_t window, const char *name, xcb_atom_t type,
                 const std::vector<std::uint32_t> &values)
{
    xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, window, atom(name), type, 32,
                        static_cast<std::uint32_t>(values.size()), values.data());
    xcb_flush(connection());
}

// Left, right, top, bottom, as a window manager writes them.
void announceFrame(const Form &form, const std::vector<std::uint32_t> &extents)
{
    setProperty(xcbWindow(form), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL, extents);
}

void announceMaximised(const Form &form, bool maximised)
{
    std::vector<std::uint32_t> states;
    if (maximised)
        states = {atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ")};
    setProperty(xcbWindow(form), "_NET_WM_STATE", XCB_ATOM_ATOM, states);
}

// A client area's size as a window manager or another client sets it, in device pixels.
void configureClient(const Form &form, std::uint32_t width, std::uint32_t height)
{
    const std::uint32_t size[] = {width, height};
    xcb_configure_window(connection(), xcbWindow(form), XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(connection());
}

// A window manager as the X server knows one that runs: a check window that the root window and
// the check window itself name. It ends when the test ends.
class PlayedWindowManager
{
public:
    PlayedWindowManager()
        : m_check(xcb_generate_id(connection()))
    {
        xcb_create_window(connection(), XCB_COPY_FROM_PARENT, m_check, root(), -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        setProperty(m_check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {m_check});
        setProperty(root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {m_check});
    }
    ~PlayedWindowManager() { end(); }
    PlayedWindowManager(const PlayedWindowManager &) = delete;
    PlayedWindowManager &operator=(const PlayedWindowManager &) = delete;

    // Ends as a killed window manager does: its check window is gone, what it wrote stays.
    void end()
    {
        if (!m_check)
            return;
        xcb_destroy_window(connection(), std::exchange(m_check, 0));
        xcb_flush(connection());
    }

private:
    xcb_window_t m_check;
};

// Whether the window's WM_NORMAL_HINTS ask for size steps (PResizeInc); none without hints.
std::optional<bool> sizeSteps(const Form &form)
{
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(connection(),
                               xcb_get_property(connection(), false, xcbWindow(form),
                                                XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
                               nullptr);
    std::optional<bool> steps;
    if (reply && reply->value_len > 0)
        steps = (*static_cast<const std::uint32_t *>(xcb_get_property_value(reply)) & (1U << 6)) != 0;
    std::free(reply);
    return steps;
}

qreal ratioOf(const Form &form)
{
    return form.widget()->devicePixelRatioF();
}

// The outer width in twips of a client area of the given logical width with a frame of the
// given device pixels.
float outerTwips(int client, double frameDevice, qreal ratio)
{
    return static_cast<float>((client + frameDevice / ratio) * 15);
}

} // namespace

TEST(X11WindowTest, TheRunningWindowManagersFrameIsPartOfTheOuterSizeAndItsChangesAreReported)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    ProbeWindow probe;
    Form &form = *probe.form;
    const qreal ratio = ratioOf(form);
    int resizes = 0;
    form.bind("W", Event::Resize, [&](const EventArgs &) { ++resizes; });
    // No window manager: the nominal frame of 8 x 27 logical pixels, whatever the window says.
    announceFrame(form, {1, 1, 20, 5});
    EXPECT_EQ(form.width(), (400 + 8) * 15);
    EXPECT_EQ(form.height(), (300 + 27) * 15);

    PlayedWindowManager manager;
    announceFrame(form, {1, 1, 20, 5});
    QTRY_ASSERT_EQ(resizes, 1);
    EXPECT_FLOAT_EQ(form.width(), outerTwips(400, 2, ratio));
    EXPECT_FLOAT_EQ(form.height(), outerTwips(300, 25, ratio));
    EXPECT_EQ(form.scaleWidth(), 400 * 15);

    announceFrame(form, {0, 0, 41, 0});
    QTRY_ASSERT_EQ(resizes, 2);
    EXPECT_EQ(form.width(), 400 * 15);
    EXPECT_FLOAT_EQ(form.height(), outerTwips(300, 41, ratio));

    // The frame a window manager that has ended leaves behind is not believed.
    manager.end();
    form.raise(Event::Resize);
    EXPECT_EQ(resizes, 3);
    EXPECT_EQ(form.height(), (300 + 27) * 15);
}

// A window manager can resize the client and put it back before Qt has read either change: Qt then
// sees its own size again and reports nothing. A Resize raised meanwhile, which was skipped because
// the server had the other size, is raised once the client is configured again.
TEST(X11WindowTest, AResizeSkippedWhileTheClientWasResizedIsRaisedAfterwards)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    const qreal ratio = ratioOf(form);
    int resizes = 0;
    form.bind("W", Event::Resize, [&](const EventArgs &) { ++resizes; });
    configureClient(form, 500, 350);
    QWindowStateChangeEvent stateChange(Qt::WindowNoState);
    QCoreApplication::sendEvent(form.widget(), &stateChange);
    ASSERT_EQ(resizes, 0);
    configureClient(form, qRound(400 * ratio), qRound(300 * ratio));
    QTRY_ASSERT_EQ(resizes, 1);
    EXPECT_EQ(form.widget()->size(), QSize(400, 300));
}

// A window manager can announce a window maximised, and the frame of a maximised window, before it
// resizes the client (openbox does). Raised in between, a Resize would find a maximised window
// smaller than before, below the size its handler keeps, and a width it may not write. The state
// is reported with its size; a state that brings no size is reported when the window manager has
// had its time. A window manager that ends under a maximised window leaves a window nothing
// maximises: one a program may resize.
TEST(X11WindowTest, AMaximisedStateIsReportedWithItsSizeAndEndsWithTheWindowManager)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    PlayedWindowManager manager;
    announceFrame(form, {1, 1, 20, 5});
    QTRY_ASSERT_EQ(form.width(), outerTwips(400, 2, ratioOf(form)));
    using Report = std::pair<std::int16_t, float>; // state, inner width
    std::vector<Report> resizes;
    form.bind("W", Event::Resize,
              [&](const EventArgs &) { resizes.emplace_back(form.windowState(), form.scaleWidth()); });

    announceMaximised(form, true);
    announceFrame(form, {0, 0, 19, 0});
    QTRY_ASSERT_EQ(form.widget()->windowState(), Qt::WindowMaximized);
    configureClient(form, 900, 700);
    const auto maximisedWidth = static_cast<float>(std::round(900 / ratioOf(form)) * 15);
    QTRY_ASSERT_TRUE(!resizes.empty() && (resizes.back() == Report{2, maximisedWidth}));
    for (const auto &[state, width] : resizes)
        EXPECT_FALSE(state == 2 && width != maximisedWidth) << "maximised at " << width << " twips";

    announceMaximised(form, false);
    QTRY_ASSERT_TRUE(resizes.back().first == 0);
    EXPECT_EQ(resizes.back().second, maximisedWidth);

    announceMaximised(form, true);
    QTRY_ASSERT_EQ(form.windowState(), 2);
    manager.end();
    form.raise(Event::Resize);
    EXPECT_EQ(form.windowState(), 0);
    EXPECT_EQ(runtimeErrorOf([&] { form.setWidth(5000); }), 0);
    EXPECT_GE(form.width(), 5000);
}

// The main window follows every size the X server gives its client area, whether or not the
// device size is one of a whole logical size, and a size below its least, 4000 x 6000 twips
// outside, comes back to that least size, also when it comes again: the viewport always fills the
// client area less its margins of 149 x 13 logical pixels.
TEST(X11WindowTest, TheMainWindowFollowsEverySizeAndTinyOnesComeBackToTheMinimum)
{
    LoadedWindow window;
    MForm &form = *window.form;
    const qreal ratio = ratioOf(form);
    const QWidget *viewport = form.control("ViewPic").widget();
    // The X server has had the request, and the window and its handlers have answered it.
    const auto settled = [&] {
        xcb_get_geometry_reply_t *reply =
            xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), xcbWindow(form)), nullptr);
        const QSize server(reply->width, reply->height);
        std::free(reply);
        const QSize client = form.widget()->size();
        return QSize(qRound(server.width() / ratio), qRound(server.height() / ratio)) == client &&
               viewport->size() == client - QSize(149, 13);
    };
    // At a ratio of 1.5, device sizes with each remainder when divided by 3.
    for (const std::uint32_t size : {700u, 701u, 702u}) {
        configureClient(form, size, size);
        QTRY_ASSERT_TRUE(settled());
        EXPECT_EQ(form.widget()->width(), qRound(size / ratio));
    }
    for (const auto &[width, height] : {std::pair{10u, 10u}, {10u, 10u}, {600u, 200u}, {600u, 10u}}) {
        configureClient(form, width, height);
        QTRY_ASSERT_TRUE(settled());
        EXPECT_GE(form.width(), 4000);
        EXPECT_TRUE(width > 10 || form.width() < 4000 + 15) << form.width();
        EXPECT_GE(form.height(), 6000);
        EXPECT_LT(form.height(), 6000 + 15);
    }
    EXPECT_TRUE(window.log.errors.empty());

    // Nor does the window manager snap the sizes to steps: at a ratio of 1.5 Qt asks for steps of
    // 2 device pixels, which the window takes back.
    QTRY_ASSERT_TRUE(sizeSteps(form) == std::optional<bool>(false));
}

// Any client can write a window's _NET_FRAME_EXTENTS. What cannot be a frame on this screen is not
// believed: the window has the frame it has without a window manager, and neither its size nor
// the least size it has learned follows what was written.
TEST(X11WindowTest, FrameExtentsThatCannotBeAFrameAreNotBelieved)
{
    LoadedWindow window;
    MForm &form = *window.form;
    PlayedWindowManager manager;
    const auto real = [&] { announceFrame(form, {1, 1, 20, 5}); };
    const float realWidth = outerTwips(554, 2, ratioOf(form));
    real();
    QTRY_ASSERT_EQ(form.width(), realWidth);
    // 374 + 25 device pixels are below 400 at every ratio: the height came back to its least.
    const QSize minimum = form.widget()->minimumSize();
    ASSERT_GT(minimum.height(), 374);
    const QSize client = form.widget()->size();

    const std::vector<std::function<void()>> malformed = {
        [&] {
            announceFrame(form, {4294000000u, 4294000000u, 4294000000u, 4294000000u});
        },
        [&] {
            announceFrame(form, {4294967295u, 4294967295u, 4294967295u, 4294967295u});
        },
        [&] {
            announceFrame(form, {1, 1, 20000, 5});
        },
        [&] {
            announceFrame(form, {1, 1, 20});
        },
        [&] {
            announceFrame(form, {1, 1, 20, 5, 0});
        },
        [&] {
            setProperty(xcbWindow(form), "_NET_FRAME_EXTENTS", XCB_ATOM_ATOM, {1, 1, 20, 5});
        },
        [&] {
            const std::uint16_t extents[] = {1, 1, 20, 5};
            xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, xcbWindow(form),
                                atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 16, 4, extents);
            xcb_flush(connection());
        },
    };
    for (std::size_t i = 0; i < malformed.size(); ++i) {
        SCOPED_TRACE(i);
        malformed[i]();
        QTRY_ASSERT_EQ(form.width(), (client.width() + 8) * 15);
        EXPECT_EQ(form.widget()->size(), client);
        EXPECT_EQ(form.widget()->minimumSize(), minimum);
        real();
        QTRY_ASSERT_EQ(form.width(), realWidth);
    }
    EXPECT_TRUE(window.log.errors.empty());
}
