// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs on an X server without a window manager; the test plays the window manager's part by
// announcing a frame in the window's _NET_FRAME_EXTENTS, as a reparenting window manager does once
// it has framed the window, and again when it changes the frame.

#include "tests/toolkit/ProbeWindow.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindowStateChangeEvent>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
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

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection(), xcb_intern_atom(connection(), false, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// Left, right, top, bottom, as the window manager writes them.
void announceFrame(const Form &form, std::array<std::uint32_t, 4> extents)
{
    xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, xcbWindow(form), atom("_NET_FRAME_EXTENTS"),
                        XCB_ATOM_CARDINAL, 32, 4, extents.data());
    xcb_flush(connection());
}

void withdrawFrame(const Form &form)
{
    xcb_delete_property(connection(), xcbWindow(form), atom("_NET_FRAME_EXTENTS"));
    xcb_flush(connection());
}

void announceMaximised(const Form &form, bool maximised)
{
    const xcb_atom_t states[] = {atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ")};
    xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, xcbWindow(form), atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, maximised ? 2 : 0, states);
    xcb_flush(connection());
}

void configureClient(const Form &form, std::uint32_t width, std::uint32_t height)
{
    const std::uint32_t size[] = {width, height};
    xcb_configure_window(connection(), xcbWindow(form), XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(connection());
}

} // namespace

TEST(WindowFrameTest, TheWindowManagersFrameIsPartOfTheOuterSizeAndItsChangesAreReported)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    ProbeWindow probe;
    Form &form = *probe.form;
    int resizes = 0;
    form.bind("W", Event::Resize, [&](const EventArgs &) { ++resizes; });
    // No window manager yet: the nominal frame of 8 x 27 pixels.
    EXPECT_EQ(form.width(), (400 + 8) * 15);
    EXPECT_EQ(form.height(), (300 + 27) * 15);

    announceFrame(form, {1, 1, 20, 5});
    QTRY_ASSERT_EQ(resizes, 1);
    EXPECT_EQ(form.width(), (400 + 2) * 15);
    EXPECT_EQ(form.height(), (300 + 25) * 15);
    EXPECT_EQ(form.scaleWidth(), 400 * 15);

    announceFrame(form, {0, 0, 41, 0});
    QTRY_ASSERT_EQ(resizes, 2);
    EXPECT_EQ(form.width(), 400 * 15);
    EXPECT_EQ(form.height(), (300 + 41) * 15);

    // A window manager that ends leaves the nominal frame.
    withdrawFrame(form);
    QTRY_ASSERT_EQ(resizes, 3);
    EXPECT_EQ(form.height(), (300 + 27) * 15);
}

// A window manager can resize the client and put it back before Qt has read either change: Qt then
// sees its own size again and reports nothing. A Resize raised meanwhile, which was skipped because
// the server had the other size, is raised once the client is configured again.
TEST(WindowFrameTest, AResizeSkippedWhileTheClientWasResizedIsRaisedAfterwards)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    int resizes = 0;
    form.bind("W", Event::Resize, [&](const EventArgs &) { ++resizes; });
    configureClient(form, 500, 350);
    QWindowStateChangeEvent stateChange(Qt::WindowNoState);
    QCoreApplication::sendEvent(form.widget(), &stateChange);
    ASSERT_EQ(resizes, 0);
    configureClient(form, 400, 300);
    QTRY_ASSERT_EQ(resizes, 1);
    EXPECT_EQ(form.widget()->size(), QSize(400, 300));
}

// A window manager can announce a window maximised, and the frame of a maximised window, before it
// resizes the client (openbox does). Raised in between, a Resize would find a maximised window
// smaller than before, below the size its handler keeps, and a width it may not write. The state
// is reported with its size; a state that brings no size is reported when the window manager has
// had its time.
TEST(WindowFrameTest, AMaximisedStateIsReportedWithItsSize)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    announceFrame(form, {1, 1, 20, 5});
    QTRY_ASSERT_EQ(form.width(), (400 + 2) * 15);
    using Report = std::pair<std::int16_t, float>; // state, inner width
    std::vector<Report> resizes;
    form.bind("W", Event::Resize,
              [&](const EventArgs &) { resizes.emplace_back(form.windowState(), form.scaleWidth()); });

    announceMaximised(form, true);
    announceFrame(form, {0, 0, 19, 0});
    QTRY_ASSERT_EQ(form.windowState(), 2);
    configureClient(form, 900, 700);
    QTRY_ASSERT_TRUE(!resizes.empty() && (resizes.back() == Report{2, 900 * 15}));
    for (const auto &[state, width] : resizes)
        EXPECT_FALSE(state == 2 && width != 900 * 15) << "maximised at " << width << " twips";

    announceMaximised(form, false);
    QTRY_ASSERT_TRUE(resizes.back().first == 0);
    EXPECT_EQ(resizes.back().second, 900 * 15);
}
