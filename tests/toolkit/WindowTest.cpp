#include "tests/toolkit/ProbeWindow.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace toolkit;
using probe::ProbeWindow;

// Qt's offscreen platform draws no title bar, so the window has the toolkit's nominal frame: a
// 4 pixel border and a 19 pixel caption bar, 8 pixels of width and 27 of height.
TEST(WindowTest, OuterSizeIsTheInnerSizeWithTheFrame)
{
    ProbeWindow probe(false);
    Form &form = *probe.form;
    EXPECT_EQ(form.scaleWidth(), 6000);
    EXPECT_EQ(form.scaleHeight(), 4500);
    EXPECT_EQ(form.width(), 6000 + 8 * 15);
    EXPECT_EQ(form.height(), 4500 + 27 * 15);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.widget()));
    EXPECT_EQ(form.width(), 6000 + 8 * 15);
    EXPECT_EQ(form.scaleWidth(), 6000);
}

TEST(WindowTest, WritingTheOuterSizeResizesTheInnerArea)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    form.setWidth(4000);
    form.setHeight(6000);
    // 4000 twips are 266.7 pixels: the window takes the nearest whole pixel.
    EXPECT_EQ(form.widget()->width(), 267 - 8);
    EXPECT_EQ(form.width(), 4005);
    EXPECT_EQ(form.widget()->height(), 400 - 27);
    EXPECT_EQ(form.height(), 6000);
    EXPECT_EQ(form.scaleHeight(), 373 * 15);
}

TEST(WindowTest, ResizeIsRaisedOnShowingResizingMinimisingAndRestoring)
{
    ProbeWindow probe(false);
    Form &form = *probe.form;
    std::vector<std::int16_t> states;
    form.bind("W", Event::Resize, [&](const EventArgs &) { states.push_back(form.windowState()); });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.widget()));
    ASSERT_EQ(states.size(), 1u);
    resizeInner(form, 500, 350);
    ASSERT_EQ(states.size(), 2u);
    form.widget()->showMinimized();
    QTRY_COMPARE(states.back(), 1);
    form.widget()->showNormal();
    QTRY_COMPARE(states.back(), 0);
    form.widget()->showMaximized();
    QTRY_COMPARE(states.back(), 2);
}

TEST(WindowTest, ASizeWrittenInsideResizeRaisesANestedResize)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    int depth = 0;
    int deepest = 0;
    form.bind("W", Event::Resize, [&](const EventArgs &) {
        ++depth;
        deepest = std::max(deepest, depth);
        if (form.width() < 4500)
            form.setWidth(4500);
        --depth;
    });
    resizeInner(form, 200, 300);
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(form.width(), 4500);
}

TEST(WindowTest, SizeCannotBeWrittenWhileMinimised)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    form.widget()->showMinimized();
    QTRY_COMPARE(form.windowState(), 1);
    try {
        form.setWidth(5000);
        FAIL() << "no error";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), 384);
    }
}

TEST(WindowTest, CentredOnTheScreenWhenFirstShown)
{
    auto design = probe::kWindow;
    design.startUpPosition = StartUpPosition::CenterScreen;
    Form form(design, probe::kControls);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.widget()));
    const QRect screen = form.widget()->screen()->availableGeometry();
    // The client area inside the nominal frame of 4 pixels around a 19 pixel caption bar.
    const QRect client = form.widget()->geometry();
    const QRect outer = client.adjusted(-4, -23, 4, 4);
    EXPECT_LE(std::abs(outer.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(outer.center().y() - screen.center().y()), 1);
}

// A size the window's own Resize handler writes because the window had become smaller is the least
// the window manager lets the user make it; other writes are not.
TEST(WindowTest, ASizeTheResizeHandlerRestoresBecomesTheWindowsMinimum)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    bool keepMinimum = false;
    bool shrink = false;
    form.bind("W", Event::Resize, [&](const EventArgs &) {
        if (keepMinimum && form.width() < 4500)
            form.setWidth(4500);
        if (keepMinimum && form.height() < 3000)
            form.setHeight(3000);
        if (shrink && form.height() > 3600)
            form.setHeight(3600);
    });
    // Writes from outside the handler, and a write in it that makes the window smaller.
    form.setWidth(3000);
    shrink = true;
    resizeInner(form, 400, 300);
    EXPECT_EQ(form.height(), 3600);
    EXPECT_EQ(form.widget()->minimumSize(), QSize(0, 0));

    shrink = false;
    keepMinimum = true;
    resizeInner(form, 250, 100);
    // 4500 and 3000 twips outside, less the nominal frame of 8 x 27 pixels.
    EXPECT_EQ(form.widget()->size(), QSize(300 - 8, 200 - 27));
    EXPECT_EQ(form.widget()->minimumSize(), QSize(300 - 8, 200 - 27));
}
