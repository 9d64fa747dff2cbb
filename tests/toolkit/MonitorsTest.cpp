// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Monitors of different device pixel ratios. The size a window keeps across them, as the toolkit
// sees it at each report in the normal state: the window's size in logical pixels, the ratio, the
// least size there. The window manager's frame is 25 device pixels high, so the least client
// height is 375 logical pixels at a ratio of 1 and 388 at 2.

#include "toolkit/GivenSize.h"
#include "toolkit/ScaleFactors.h"

#include <gtest/gtest.h>

using toolkit::GivenSize;

namespace {
const QSize kLeastAt1(0, 375);
const QSize kLeastAt2(0, 388);
const QSize kRoom(900, 500);
} // namespace

// Qt keeps the device size as the window comes to a monitor at 2: the size it was given is asked
// back, not the one the least size on that monitor raises it to; back at 1, it is as it was.
TEST(GivenSizeTest, AWindowKeepsTheSizeItWasGivenThereAndBack)
{
    GivenSize size;
    EXPECT_EQ(size.take(QSize(554, 374), 1, {.least = kLeastAt1, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(554, 375), 1, {.least = kLeastAt1, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(277, 187), 2, {.least = kLeastAt2, .room = kRoom}), QSize(554, 374));
    EXPECT_EQ(size.take(QSize(554, 374), 2, {.least = kLeastAt2, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(554, 388), 2, {.least = kLeastAt2, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(1108, 776), 1, {.least = kLeastAt1, .room = kRoom}), QSize(554, 374));
    // Where Qt has already kept the size, nothing is asked; a size the user gives is kept next, as
    // far as the monitor has room for it.
    EXPECT_EQ(size.take(QSize(554, 374), 2, {.least = kLeastAt2, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(600, 500), 2, {.least = kLeastAt2, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.takeRatio(1, QSize(550, 800)), QSize(550, 500));
}

// A window manager that read Qt's size steps snaps the window by a device pixel: it is asked back,
// also after the least size raised it, but no more than three times, and not once the user gave
// it another size.
TEST(GivenSizeTest, ASnapByAPixelIsTakenBackAFewTimes)
{
    GivenSize size;
    size.show(QSize(554, 374));
    EXPECT_EQ(size.take(QSize(553, 373), 1.5, {.least = kLeastAt1, .room = kRoom}), QSize(554, 374));
    EXPECT_EQ(size.take(QSize(554, 384), 1.5, {.least = QSize(0, 384), .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(553, 384), 1.5, {.least = QSize(0, 384), .room = kRoom}), QSize(554, 384));
    EXPECT_EQ(size.take(QSize(555, 384), 1.5, {.least = QSize(0, 384), .room = kRoom}), QSize(554, 384));
    EXPECT_EQ(size.take(QSize(553, 384), 1.5, {.least = QSize(0, 384), .room = kRoom}), std::nullopt);

    size.show(QSize(554, 374));
    EXPECT_EQ(size.take(QSize(500, 374), 1.5, {.least = kLeastAt1, .room = kRoom}), std::nullopt);
    EXPECT_EQ(size.take(QSize(499, 374), 1.5, {.least = kLeastAt1, .room = kRoom}), std::nullopt);
}

// Scale factors at which no window can be shown count as 1, each in its place.
TEST(ScaleFactorsTest, FactorsNoMonitorCanShowAWindowAtCountAsOne)
{
    EXPECT_EQ(toolkit::usableScreenScaleFactors("L=1;R=2"), "L=1;R=2");
    EXPECT_EQ(toolkit::usableScreenScaleFactors("L=1000;R=-1;X=0.25;0;inf;abc;;8;1e9;R=0.0001"),
              "L=1;R=1;X=0.25;1;1;1;;8;1;R=1");
}
