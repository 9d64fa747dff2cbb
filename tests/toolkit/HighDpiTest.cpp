// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs with QT_SCALE_FACTOR=2: what the window draws itself, its icons, is drawn at the device's
// pixels, not scaled up from one pixel per unit, while every size in twips stays as at a ratio of 1.

#include "tests/support/Support.h"

#include <QAbstractButton>
#include <QImage>
#include <gtest/gtest.h>

using namespace toolkit;

TEST(HighDpiTest, IconsAreDrawnAtTheDevicePixelsAndTwipsStayAsDesigned)
{
    LoadedWindow window;
    ASSERT_EQ(window.form->widget()->devicePixelRatioF(), 2.0);
    EXPECT_EQ(window.form->scaleWidth(), 8310);
    EXPECT_EQ(window.form->control("ViewPic").width(), 6075);

    // "Formular öffnen": its folder's slanted edges give 2 x 2 blocks of mixed colours, which a
    // picture scaled up from 32 pixels has none of.
    const QImage icon = static_cast<QAbstractButton *>(window.form->control("Btn", 5).widget())
                            ->icon()
                            .pixmap(QSize(32, 32), 2.0)
                            .toImage();
    ASSERT_EQ(icon.size(), QSize(64, 64));
    int mixed = 0;
    for (int y = 0; y < 64; y += 2)
        for (int x = 0; x < 64; x += 2)
            if (icon.pixel(x + 1, y) != icon.pixel(x, y) || icon.pixel(x, y + 1) != icon.pixel(x, y) ||
                icon.pixel(x + 1, y + 1) != icon.pixel(x, y))
                ++mixed;
    EXPECT_GT(mixed, 10);
}
