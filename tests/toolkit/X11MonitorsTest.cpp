// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Two monitors side by side on one X screen (on-xvfb.sh --monitors): L at 0,0, 1920 x 1080 device
// pixels at a device pixel ratio of 1, and R at 1920,0, 1920 x 720 at 1.5, the primary
// (QT_SCREEN_SCALE_FACTORS). What openbox and KWin do by timing as they frame a new window, the
// test's window manager does in a fixed order, so that each case shows every time what a real
// desktop shows now and then.

#include "tests/support/Support.h"
#include "tests/toolkit/FormOnX11.h"
#include "tests/toolkit/TestWindowManager.h"
#include "tests/toolkit/XcbRequests.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cmath>

using namespace x11form;

namespace {

constexpr qreal kRatioR = 1.5;
// The frame the window manager draws, in device pixels: left, top, right, bottom.
const QMargins kDrawn(1, 20, 1, 5);
// The main window's client area on R in logical pixels: 8310 twips wide, and 5610 twips high raised
// to the least outer height of 6000 twips (400 px) with the frame of 25 device pixels.
const QSize kClientOnR(554, int(std::ceil(400 - 25 / kRatioR)));

void pointerTo(QPoint device)
{
    xcb_warp_pointer(connection(), XCB_WINDOW_NONE, root(), 0, 0, 0, 0, std::int16_t(device.x()),
                     std::int16_t(device.y()));
    xcbtest::roundTrip(connection());
}

QString screenOf(const toolkit::Form &form)
{
    return form.widget()->screen()->name();
}

// The client area's place, in logical pixels, of a window centred on a monitor (R: 1280 x 480
// logical pixels from its corner at 1920, 0) with a frame of the given logical pixels around it.
QPoint centredOn(QRect monitor, QSize client, QMarginsF logical)
{
    const QSizeF outer = QSizeF(client).grownBy(logical);
    return QPointF(monitor.x() + (monitor.width() - outer.width()) / 2 + logical.left(),
                   monitor.y() + (monitor.height() - outer.height()) / 2 + logical.top())
        .toPoint();
}
QPoint centredOnR(QSize client, QMarginsF logical)
{
    return centredOn(QRect(1920, 0, 1280, 480), client, logical);
}

// The window at rest on R at its size there, centred with the frame it has.
void expectCentredOnR(const MForm &form, QMargins frame)
{
    QTRY_ASSERT_TRUE(screenOf(form) == QStringLiteral("R") && form.widget()->size() == kClientOnR &&
                     serverSize(form) == kClientOnR * kRatioR);
    QTRY_ASSERT_EQ(form.widget()->geometry().topLeft(), centredOnR(kClientOnR, QMarginsF(frame) / kRatioR));
    EXPECT_EQ(form.control("ViewPic").widget()->size(), kClientOnR - QSize(149, 13));
}

} // namespace

// openbox and KWin frame a new window at the screen's corner, on L, before they map it, and move
// the frame where the window was put, on R, a moment later. Qt follows the window to L and reads its
// size there at L's ratio: nothing it has meanwhile is the window's own, neither a size given from
// outside nor one to keep. Back on R, the window is centred with the real frame.
TEST(X11MonitorsTest, ANewWindowFramedAtTheScreensCornerIsCentredWhereItWasPut)
{
    pointerTo(QPoint(2880, 360));
    TestWindowManager manager;
    manager.frameNewWindows({.drawn = kDrawn, .frameCorner = QPoint(0, 0)});
    LoadedWindow window;
    MForm &form = *window.form;
    QTRY_ASSERT_EQ(screenOf(form), QStringLiteral("L"));
    manager.moveClientTo(manager.wherePut());
    expectCentredOnR(form, kDrawn);
    EXPECT_TRUE(window.log.errors.empty());
}

// As the window manager frames the window at the screen's corner, on L, Qt takes in a size there
// that it read before, at R's ratio, and then the one the window has, at L's: sizes the window only
// passes through, neither of which it keeps as the one it was given. Back on R it has its size.
TEST(X11MonitorsTest, ASizeReadOnAMonitorTheWindowOnlyPassesThroughIsNotKept)
{
    pointerTo(QPoint(2880, 360));
    TestWindowManager manager;
    manager.frameNewWindows({.drawn = kDrawn, .frameCorner = QPoint(0, 0), .toldFirst = QSize(554, 374)});
    LoadedWindow window;
    MForm &form = *window.form;
    QTRY_ASSERT_TRUE(screenOf(form) == QStringLiteral("L") && form.widget()->size() == QSize(554, 374));
    manager.tell();
    QTRY_ASSERT_EQ(form.widget()->size(), QSize(831, 561));
    manager.moveClientTo(manager.wherePut());
    expectCentredOnR(form, kDrawn);
}

// A window manager that has not yet announced its frame tells the window a place that is not the
// one it has. The window is not taken as moved where the X server has it where it was put: Qt maps
// a place on R from R's corner, not from the screen's, and so must the toolkit. With the frame
// announced, the window is centred with it.
TEST(X11MonitorsTest, APlaceOnAMonitorRightOfAnotherIsMappedFromItsCorner)
{
    pointerTo(QPoint(2880, 360));
    TestWindowManager manager;
    manager.frameNewWindows({.drawn = kDrawn, .announce = false});
    LoadedWindow window;
    MForm &form = *window.form;
    const QPoint put = form.widget()->geometry().topLeft();
    manager.tell(manager.wherePut() - QPoint(kDrawn.left(), kDrawn.top()));
    QTRY_ASSERT_TRUE(form.widget()->geometry().topLeft() != put);
    manager.announceFrame();
    expectCentredOnR(form, kDrawn);
}

// Qt takes a size from a window manager's synthetic ConfigureNotify as it stands, and keeps the
// logical size it read on another monitor as the window comes back: the size the X server has is
// taken once the window is at rest, and the viewport follows it.
TEST(X11MonitorsTest, ASizeQtWasToldWronglyIsTakenFromTheXServerAtRest)
{
    pointerTo(QPoint(2880, 360));
    TestWindowManager manager;
    manager.frameNewWindows({.drawn = kDrawn});
    LoadedWindow window;
    MForm &form = *window.form;
    expectCentredOnR(form, kDrawn);
    // The sizes the window asked for as it was framed have all been given.
    manager.sync();
    manager.resize(QSize(900, 600));
    manager.tell(std::nullopt, kClientOnR * kRatioR);
    QTRY_ASSERT_TRUE(form.widget()->size() == QSize(600, 400) && serverSize(form) == QSize(900, 600));
    QTRY_ASSERT_EQ(form.control("ViewPic").widget()->size(), QSize(600, 400) - QSize(149, 13));
}

// KWin frames a new window at the screen's corner and moves the frame where the window was put,
// unless the window asks for a place of its own meanwhile: while the window is being placed, a
// size Qt was told wrongly is not taken from the X server through Qt, which asks with its place.
// Here on L, at a ratio of 1, with KWin's frame, 41 pixels above the client area, which it announces
// only once it has placed the window, and with which the window needs no other size: the window is
// centred where it was put.
TEST(X11MonitorsTest, WhileAWindowIsPlacedItAsksForNoPlace)
{
    pointerTo(QPoint(960, 540));
    TestWindowManager manager;
    const QMargins kwin(0, 41, 0, 0);
    manager.frameNewWindows(
        {.drawn = kwin, .frameCorner = QPoint(0, 0), .announce = false, .toldFirst = QSize(500, 300)});
    LoadedWindow window;
    MForm &form = *window.form;
    QTRY_ASSERT_EQ(form.widget()->size(), QSize(500, 300));
    // The window has been at rest for longer than it waits before it asks for a size.
    QTest::qWait(300);
    manager.placeWherePut();
    manager.announceFrame();
    const QSize client(554, 374);
    QTRY_ASSERT_TRUE(form.widget()->size() == client && serverSize(form) == client);
    QTRY_ASSERT_EQ(form.widget()->geometry().topLeft(), centredOn(QRect(0, 0, 1920, 1080), client, kwin));
}

// Below R, which is shorter than L, the pointer is on no monitor: the window opens on the primary,
// centred with the frame it has without a window manager.
TEST(X11MonitorsTest, WithThePointerOnNoMonitorTheWindowOpensOnThePrimary)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->name(), QStringLiteral("R"));
    pointerTo(QPoint(2880, 900));
    LoadedWindow window;
    MForm &form = *window.form;
    const QSize client(554, 374);
    QTRY_ASSERT_TRUE(screenOf(form) == QStringLiteral("R") && form.widget()->size() == client);
    // The nominal frame: 4 logical pixels around a caption bar of 19.
    EXPECT_EQ(form.widget()->geometry().topLeft(), centredOnR(client, QMarginsF(4, 23, 4, 4)));
}
