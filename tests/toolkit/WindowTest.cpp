// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/toolkit/ProbeWindow.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace toolkit;
using probe::ProbeWindow;

// Qt's offscreen platform draws no title bar, so the window has the toolkit's nominal frame: a
// 4 pixel border and a 19 pixel caption bar, 8 pixels of width and 27 of height.
TEST(WindowTest, TheOuterSizeIsTheInnerSizeWithTheFrameAndWritesResizeTheInnerArea)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    EXPECT_EQ(std::make_pair(form.scaleWidth(), form.scaleHeight()), std::make_pair(6000.0f, 4500.0f));
    EXPECT_EQ(std::make_pair(form.width(), form.height()),
              std::make_pair(6000.0f + 8 * 15, 4500.0f + 27 * 15));
    form.setWidth(4000);
    form.setHeight(6000);
    // 4000 twips are 266.7 pixels: the window takes the nearest whole pixel.
    EXPECT_EQ(form.widget()->size(), QSize(267 - 8, 400 - 27));
    EXPECT_EQ(std::make_pair(form.width(), form.height()), std::make_pair(4005.0f, 6000.0f));

    // The design's platform refuses a size for a minimised window.
    form.widget()->showMinimized();
    QTRY_ASSERT_EQ(form.windowState(), 1);
    EXPECT_EQ(runtimeErrorOf([&] { form.setWidth(5000); }), 384);
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
