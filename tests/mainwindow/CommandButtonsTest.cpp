// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/CommandButtons.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

using namespace toolkit;

namespace {

// What a button click could change.
std::tuple<std::int32_t, std::string, float, float, int> observable(LoadedWindow &window)
{
    const Image &picture = window.form->image("BMPImage");
    return {window.form->slider("ZoomSlider").value(), window.form->frame("ZoomFrame").caption(),
            picture.width(), picture.left(), window.log.beeps};
}

} // namespace

TEST(CommandButtonsTest, InfoAndHilfeBeepAndButtonsWithoutActionDoNothing)
{
    LoadedWindow window;
    auto expected = observable(window);
    for (std::int16_t index : {0, 2}) {
        Btn_Click(*window.form, window.state(), index);
        ++std::get<4>(expected);
        EXPECT_EQ(observable(window), expected) << index;
    }
    // The index is taken as unsigned: negative ones name no action either.
    for (std::int16_t index : {5, 6, 7, 8, 9, 10, 11, 256, 259, -1, -32768, 32767}) {
        EXPECT_NO_THROW(Btn_Click(*window.form, window.state(), index));
        EXPECT_EQ(observable(window), expected) << index;
    }
}

TEST(CommandButtonsTest, HundredPercentAndTheFitFollowTheViewportAsItIsNow)
{
    LoadedWindow window;
    resizeInner(*window.form, 400, 374);
    Btn_Click(*window.form, window.state(), 3);
    EXPECT_EQ(window.form->slider("ZoomSlider").value(), 100);
    EXPECT_EQ(window.form->frame("ZoomFrame").caption(), "Ansicht 100%");
    EXPECT_EQ(window.form->image("BMPImage").width(), 4215);
    EXPECT_EQ(window.form->image("BMPImage").height(), 2055);
    // (400 * 15 - 2235) / 4215 * 100 = 89.3
    Btn_Click(*window.form, window.state(), 4);
    EXPECT_EQ(window.form->slider("ZoomSlider").value(), 89);
}
