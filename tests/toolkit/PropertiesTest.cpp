// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/toolkit/ProbeWindow.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <limits>

using namespace toolkit;
using probe::ProbeWindow;

TEST(PropertiesTest, PositionsAreKeptExactlyShownAtTheNearestPixelAndRefusedWhenInvalid)
{
    ProbeWindow probe(false);
    TextBox &field = probe.form->textBox("Field");
    field.setWidth(6069.6f);
    field.setLeft(307.5f);
    EXPECT_EQ(std::make_pair(field.width(), field.left()), std::make_pair(6069.6f, 307.5f));
    // From the container's inner corner.
    EXPECT_EQ(field.widget()->geometry(), QRect(21, 30, 405, 20));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(runtimeErrorOf([&] { field.setWidth(-1); }), 380);
    EXPECT_EQ(runtimeErrorOf([&] { field.setHeight(nan); }), 380);
    EXPECT_EQ(runtimeErrorOf([&] { field.move(0, std::numeric_limits<float>::infinity()); }), 380);
    EXPECT_EQ(std::make_pair(field.width(), field.height()), std::make_pair(6069.6f, 300.0f));
    EXPECT_EQ(std::make_pair(field.left(), field.top()), std::make_pair(307.5f, 450.0f));
    EXPECT_EQ(runtimeErrorOf([&] { field.move(-1e30f, 0); }), 0);
}

TEST(PropertiesTest, SlidersAndListsAsTheProgramUsesThem)
{
    ProbeWindow probe(false);
    // Every new value, from code too, raises Change, put into the slider's range.
    Slider &zoom = probe.form->slider("Zoom");
    std::vector<std::int32_t> changes;
    zoom.bind(Event::Change, [&](const EventArgs &) { changes.push_back(zoom.value()); });
    for (std::int32_t value : {50, 50, 300, -7})
        zoom.setValue(value);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{50, 200, 1}));

    // A list selects nothing until ListIndex names an entry it has.
    ComboBox &list = probe.form->comboBox("List");
    list.addItem("Arial");
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(runtimeErrorOf([&] { list.setListIndex(1); }), 380);
    list.setListIndex(0);
    EXPECT_EQ(list.listIndex(), 0);
}

// A control in a disabled container stays enabled itself, but is shown disabled and takes no mouse
// input; hidden with its container, it stays visible itself.
TEST(PropertiesTest, VisibleAndEnabledAreTheControlsOwn)
{
    ProbeWindow probe;
    Form &form = *probe.form;
    Control &field = form.control("Field");
    int presses = 0;
    field.bind(Event::MouseDown, [&](const EventArgs &) { ++presses; });
    form.control("Box").setEnabled(false);
    QTest::mouseClick(windowOf(form), Qt::LeftButton, {}, centreInWindow(field));
    EXPECT_EQ(presses, 0);
    form.control("Box").setVisible(false);
    EXPECT_TRUE(field.visible() && field.enabled());
    EXPECT_FALSE(field.widget()->isVisible() || field.widget()->isEnabled());
}
