// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs on an X server without a window manager, at the device pixel ratio the environment gives
// (CTest runs it at 1 and at 1.5). Where a window manager is needed, a small one of the test's own
// runs beside the window; other X clients, which may write what they like on any window, are played
// on the window's own connection. Sizes the X server reports are device pixels, the window's own
// are logical ones.

#include "mainwindow/StartUp.h"
#include "tests/toolkit/FormOnX11.h"
#include "tests/toolkit/ProbeWindow.h"
#include "tests/toolkit/TestWindowManager.h"
#include "tests/toolkit/XcbRequests.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindowStateChangeEvent>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cmath>
#include <utility>
#include <vector>

using namespace toolkit;
using probe::ProbeWindow;

using namespace x11form;

namespace {

void setProperty(xcb_window_t window, const char *name, xcb_atom_t type,
                 const std::vector<std::uint32_t> &values, std::uint8_t format = 32)
{
    xcbtest::setProperty(connection(), window, name, type, values, format);
}

// Left, right, top, bottom, as a window manager writes them.
void announceFrame(const Form &form, const std::vector<std::uint32_t> &extents)
{
    setProperty(xcbWindow(form), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL, extents);
}

// A client area's size as another client sets it where no window manager runs, in device pixels.
void configureClient(const Form &form, std::uint32_t width, std::uint32_t height)
{
    const std::uint32_t size[] = {width, height};
    xcb_configure_window(connection(), xcbWindow(form), XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(connection());
}

// What the window's WM_NORMAL_HINTS ask of the window manager: size steps (PResizeInc), and the
// least size (PMinSize, else 0 x 0).
struct SizeHints
{
    bool steps = false;
    QSize minimum{0, 0};
};

SizeHints sizeHints(const Form &form)
{
    const auto reply = xcbtest::owned(
        xcb_get_property_reply(connection(),
                               xcb_get_property(connection(), false, xcbWindow(form),
                                                XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
                               nullptr));
    SizeHints hints;
    if (reply && reply->value_len >= 7) {
        const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
        hints.steps = (values[0] & (1U << 6)) != 0;
        if (values[0] & (1U << 4))
            hints.minimum = QSize(int(values[5]), int(values[6]));
    }
    return hints;
}

qreal ratioOf(const Form &form)
{
    return form.widget()->devicePixelRatioF();
}

QSize toDevice(QSize logical, qreal ratio)
{
    return QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
}

// The outer length in twips of a client area of the given logical length with a frame of the given
// device pixels.
float outerTwips(int client, double frameDevice, qreal ratio)
{
    return static_cast<float>((client + frameDevice / ratio) * 15);
}

// The least client size, in device pixels, that the window manager is told for the main window with
// a frame of the given device pixels: 4000 x 6000 twips outside.
QSize leastClient(QMargins frame, qreal ratio)
{
    return toDevice(QSize(int(std::ceil(4000.0 / 15 - (frame.left() + frame.right()) / ratio - 1e-6)),
                          int(std::ceil(400 - (frame.top() + frame.bottom()) / ratio - 1e-6))),
                    ratio);
}

// The main window as the X server has it: Qt has taken in the client's size, and the viewport fills
// the client area less its margins of 149 x 13 logical pixels, or nothing where less is left.
bool settled(const MForm &form)
{
    const QSize client = form.widget()->size();
    const qreal ratio = ratioOf(form);
    const QSize server = serverSize(form);
    return QSize(qRound(server.width() / ratio), qRound(server.height() / ratio)) == client &&
           form.control("ViewPic").widget()->size() == (client - QSize(149, 13)).expandedTo(QSize(0, 0));
}

// Everything the window has asked of the X server so far has reached the window manager.
void deliverRequests(TestWindowManager &manager)
{
    QCoreApplication::processEvents();
    xcbtest::roundTrip(connection());
    manager.sync();
}

} // namespace

// A window manager can resize the client and put it back before Qt has read either change: Qt then
// sees its own size again and reports nothing. A Resize raised meanwhile, which was skipped because
// the server had the other size, is raised once the client is configured again.
TEST(X11WindowTest, AResizeSkippedWhileTheClientWasResizedIsRaisedAfterwards)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
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

// A window manager can give a window the maximised state and take it back before Qt reads it, as
// KWin does with a new window that is larger than the screen: Qt then sees no change of state, and
// a Resize that ran while the window was maximised left it below its least size. A change of the
// state the toolkit reads raises a Resize all the same.
TEST(X11WindowTest, AStateTakenBackUnseenByQtRaisesAResize)
{
    LoadedWindow window;
    MForm &form = *window.form;
    TestWindowManager manager;
    manager.frame(form, QMargins(1, 20, 1, 5));
    QTRY_ASSERT_TRUE(form.height() >= 6000 && settled(form));
    struct : QObject
    {
        bool eventFilter(QObject *, QEvent *event) override
        {
            return event->type() == QEvent::WindowStateChange;
        }
    } qtSeesNoState;
    qApp->installEventFilter(&qtSeesNoState);
    manager.announceMaximised(true);
    manager.resize(toDevice(QSize(554, 300), ratioOf(form)));
    QTRY_ASSERT_TRUE(form.widget()->height() == 300 && settled(form));
    // Every change the window manager made so far has been taken.
    deliverRequests(manager);
    QCoreApplication::processEvents();
    manager.announceMaximised(false);
    QTRY_ASSERT_TRUE(form.height() >= 6000 && settled(form));
    qApp->removeEventFilter(&qtSeesNoState);
}

// Without a window manager the main window follows every size the X server gives its client area,
// whether or not the device size is one of a whole logical size, and a size below its least, 4000 x
// 6000 twips outside, comes back to that least size at once, also when it comes again. A check
// window that another client made up, and a maximised state it wrote, make no window manager:
// nothing then keeps the window from its least size.
TEST(X11WindowTest, WithoutAWindowManagerTheMainWindowFollowsEverySizeAndTinyOnesComeBackToTheMinimum)
{
    LoadedWindow window;
    MForm &form = *window.form;
    const qreal ratio = ratioOf(form);
    const xcb_window_t check = xcb_generate_id(connection());
    xcb_create_window(connection(), XCB_COPY_FROM_PARENT, check, root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    setProperty(check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});
    setProperty(root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});

    // At a ratio of 1.5, device sizes with each remainder when divided by 3.
    for (const std::uint32_t size : {700u, 701u, 702u}) {
        configureClient(form, size, size);
        QTRY_ASSERT_TRUE(settled(form));
        EXPECT_EQ(form.widget()->width(), qRound(size / ratio));
    }
    for (const auto &[width, height] :
         {std::pair{10u, 10u}, {10u, 10u}, {600u, 200u}, {600u, 10u}, {100u, 100u}}) {
        configureClient(form, width, height);
        QTRY_ASSERT_TRUE(settled(form));
        EXPECT_GE(form.width(), 4000);
        EXPECT_TRUE(width > 10 || form.width() < 4000 + 15) << form.width();
        EXPECT_GE(form.height(), 6000);
        EXPECT_LT(form.height(), 6000 + 15);
    }
    setProperty(xcbWindow(form), "_NET_WM_STATE", XCB_ATOM_ATOM,
                {xcbtest::atom(connection(), "_NET_WM_STATE_MAXIMIZED_VERT"),
                 xcbtest::atom(connection(), "_NET_WM_STATE_MAXIMIZED_HORZ")});
    QTRY_ASSERT_EQ(form.widget()->windowState(), Qt::WindowMaximized);
    configureClient(form, 300, 100);
    QTRY_ASSERT_TRUE(settled(form) && form.height() >= 6000);
    EXPECT_EQ(form.windowState(), 0);
    EXPECT_TRUE(window.log.errors.empty());
    xcb_destroy_window(connection(), check);

    // Nor does the window manager snap the sizes to steps: at a ratio of 1.5 Qt asks for steps of
    // 2 device pixels, which the window takes back.
    QTRY_ASSERT_TRUE(!sizeHints(form).steps);
}

// A window manager on a screen smaller than the window's least size cannot give it that size: the
// window takes the size it gets, maximised too, with the viewport filling it, and no error box. A
// length the window manager has refused is not asked for again, so that its answers and the
// window's requests do not chase each other. A window whose window manager has ended is neither
// maximised nor kept small, nor framed.
TEST(X11WindowTest, AWindowManagerThatCannotGiveTheLeastSizeIsObeyed)
{
    LoadedWindow window;
    MForm &form = *window.form;
    const qreal ratio = ratioOf(form);
    const QSize largest = toDevice(QSize(200, 250), ratio);
    auto manager = std::make_unique<TestWindowManager>(largest);
    manager->frame(form, QMargins(1, 20, 1, 5));
    manager->resize(QSize(10, 10));
    QTRY_ASSERT_TRUE(serverSize(form) == largest && settled(form));
    deliverRequests(*manager);
    const int requests = manager->requests();
    EXPECT_GE(requests, 1);

    // Each new frame raises a Resize, which finds the window too small again: what the last of
    // them asks goes out in one request once the window is at rest.
    int resizes = 0;
    form.bind("MForm", Event::Resize, [&](const EventArgs &) {
        ++resizes;
        Form_Resize(form, window.state());
    });
    for (const QMargins frame : {QMargins(2, 20, 0, 5), QMargins(1, 24, 1, 1), QMargins(1, 20, 1, 5)}) {
        manager->frame(form, frame);
        QTRY_ASSERT_TRUE(resizes > 0);
        resizes = 0;
    }
    manager->frame(form, QMargins(2, 21, 2, 6));
    const QSize least = leastClient(QMargins(2, 21, 2, 6), ratio);
    QTRY_ASSERT_TRUE((deliverRequests(*manager), manager->lastRequest() == least));
    EXPECT_EQ(manager->requests(), requests + 1);

    manager->maximise();
    QTRY_ASSERT_EQ(form.windowState(), 2);
    QTRY_ASSERT_TRUE(settled(form));
    EXPECT_TRUE(window.log.errors.empty());

    // The frame the window manager leaves behind is not believed: the window has the nominal frame
    // of 8 x 27 logical pixels.
    manager.reset();
    QTRY_ASSERT_EQ(form.windowState(), 0);
    QTRY_ASSERT_TRUE(settled(form) && form.width() >= 4000 && form.height() >= 6000);
    EXPECT_EQ(form.width(), (form.widget()->width() + 8) * 15);

    // A screen too small even for the margins around the viewport leaves it no size.
    manager = std::make_unique<TestWindowManager>(toDevice(QSize(100, 10), ratio));
    manager->frame(form, QMargins(1, 20, 1, 5));
    manager->maximise();
    QTRY_ASSERT_TRUE(form.widget()->size() == QSize(100, 10) && settled(form));
    EXPECT_TRUE(window.log.errors.empty());
}

// Any client can write a window's _NET_FRAME_EXTENTS, and the root window's check window. What the
// window manager's frame window does not bear out is not believed once it has had its time: the
// window's frame is the one its frame window really has (here larger than the real announcement,
// as invisible borders make it), which the least size follows, and the window's size does not
// follow what was written.
TEST(X11WindowTest, FramesThatTheFrameWindowDoesNotBearOutAreNotBelieved)
{
    LoadedWindow window;
    MForm &form = *window.form;
    const qreal ratio = ratioOf(form);
    TestWindowManager manager;
    const QMargins drawn(3, 24, 3, 6);
    const auto real = [&] { announceFrame(form, {1, 1, 20, 5}); };
    manager.frame(form, drawn, QMargins(1, 20, 1, 5));
    // 374 + 25 device pixels are below 400 at every ratio: the height comes back to its least.
    QTRY_ASSERT_TRUE(form.width() == outerTwips(554, 2, ratio) && form.height() >= 6000 && settled(form));
    // The window is wider than its least width, which it has not yet been told.
    EXPECT_EQ(sizeHints(form).minimum, QSize(0, leastClient(QMargins(1, 20, 1, 5), ratio).height()));
    const QSize client = form.widget()->size();

    // Four cardinals that the frame window does not bear out, lists of another length, another
    // type, another format.
    struct Lie
    {
        xcb_atom_t type;
        std::vector<std::uint32_t> extents;
        std::uint8_t format = 32;
    };
    const Lie lies[] = {{XCB_ATOM_CARDINAL, {300, 0, 0, 0}}, {XCB_ATOM_CARDINAL, {4294967295u, 0, 0, 0}},
                        {XCB_ATOM_CARDINAL, {1, 1, 20}},     {XCB_ATOM_CARDINAL, {1, 1, 20, 5, 0}},
                        {XCB_ATOM_ATOM, {1, 1, 20, 5}},      {XCB_ATOM_CARDINAL, {1, 1, 20, 5}, 16}};
    for (const Lie &lie : lies) {
        SCOPED_TRACE(&lie - lies);
        setProperty(xcbWindow(form), "_NET_FRAME_EXTENTS", lie.type, lie.extents, lie.format);
        QTRY_ASSERT_EQ(form.width(), outerTwips(client.width(), 6, ratio));
        EXPECT_EQ(form.widget()->size(), client);
        QTRY_ASSERT_EQ(sizeHints(form).minimum, QSize(0, leastClient(drawn, ratio).height()));
        real();
        QTRY_ASSERT_EQ(form.width(), outerTwips(client.width(), 2, ratio));
    }

    // A shaded window's frame window holds no more than its title bar, which bears out no frame:
    // the frame is as announced, also once a frame not borne out would have had its time.
    const float height = form.height();
    manager.shade();
    EXPECT_FALSE(QTest::qWaitFor([&] { return form.height() != height; }, 750));
    manager.frame(form, drawn, QMargins(1, 20, 1, 5));

    // A narrow window under a plausible frame that is not borne out comes back to its least width
    // with the frame it really has.
    announceFrame(form, {300, 0, 0, 0});
    QTRY_ASSERT_EQ(form.width(), outerTwips(client.width(), 6, ratio));
    manager.resize(toDevice(QSize(50, 400), ratio));
    QTRY_ASSERT_TRUE(settled(form) && form.widget()->width() == std::ceil(4000.0 / 15 - 6 / ratio - 1e-6));
    EXPECT_GE(form.width(), 4000);

    // Nor does a check window that names no window end the window manager that runs.
    setProperty(root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {0x1fffffff});
    real();
    QTRY_ASSERT_EQ(form.width(), outerTwips(form.widget()->width(), 2, ratio));
    EXPECT_TRUE(window.log.errors.empty());
}

// A client that owns WM_S0 but frames nothing: the frame never becomes known, and the window, which
// opened centred, stays where it is when its size is given from outside.
TEST(X11WindowTest, AWindowManagerThatFramesNothingLeavesTheWindowWhereItIs)
{
    TestWindowManager manager;
    LoadedWindow window;
    MForm &form = *window.form;
    QTRY_ASSERT_TRUE(form.widget()->isVisible() && settled(form));
    const QPoint placed = serverPlace(form);
    for (const std::uint32_t width : {900u, 1000u}) {
        configureClient(form, width, 700);
        QTRY_ASSERT_TRUE(serverSize(form) == QSize(int(width), 700) && settled(form));
        EXPECT_EQ(serverPlace(form), placed);
    }
    EXPECT_TRUE(window.log.errors.empty());
}

// A window manager that frames a new window only long after it was shown, as a busy one may: once
// the grace for its frame has passed, the window is placed, and does not jump when the frame comes.
TEST(X11WindowTest, AWindowFramedPastTheGraceForItsFrameStaysWhereItIs)
{
    TestWindowManager manager;
    LoadedWindow window;
    MForm &form = *window.form;
    QTRY_ASSERT_TRUE(form.widget()->isVisible() && settled(form));
    const QPoint placed = serverPlace(form);
    // The grace is a time, 10 s, which the test waits out.
    QTest::qWait(10500);
    manager.frame(form, QMargins(1, 20, 1, 5));
    QTRY_ASSERT_TRUE(form.height() >= 6000 && settled(form));
    // Nor later, once the window is at rest with the size it asked for with the new frame.
    EXPECT_FALSE(QTest::qWaitFor([&] { return serverPlace(form) != placed; }, 1000));
}
