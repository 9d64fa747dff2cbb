#include "resources/Icons.h"
#include "tests/toolkit/ProbeWindow.h"

#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace toolkit;
using probe::ProbeWindow;

TEST(PropertiesTest, PositionsAreKeptExactlyAndShownAtTheNearestPixel)
{
    ProbeWindow probe(false);
    TextBox &field = probe.form->textBox("Field");
    field.setWidth(6069.6f);
    field.setLeft(307.5f);
    EXPECT_EQ(field.width(), 6069.6f);
    EXPECT_EQ(field.left(), 307.5f);
    EXPECT_EQ(field.widget()->width(), 405);
    EXPECT_EQ(field.widget()->x(), 21);
    // Left and Top count from the container's inner corner.
    EXPECT_EQ(field.widget()->parentWidget(), probe.form->control("Box").widget());
    EXPECT_EQ(field.widget()->y(), 30);
}

TEST(PropertiesTest, RefusedValuesRaiseThePropertyErrorAndLeaveTheProperty)
{
    ProbeWindow probe(false);
    TextBox &field = probe.form->textBox("Field");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(runtimeErrorOf([&] { field.setWidth(-1); }), 380);
    EXPECT_EQ(runtimeErrorOf([&] { field.setHeight(nan); }), 380);
    EXPECT_EQ(runtimeErrorOf([&] { field.setLeft(infinity); }), 380);
    EXPECT_EQ(runtimeErrorOf([&] { field.move(0, nan); }), 380);
    EXPECT_EQ(field.width(), 1500);
    EXPECT_EQ(field.height(), 300);
    EXPECT_EQ(field.left(), 300);
    EXPECT_EQ(field.top(), 450);
    EXPECT_EQ(runtimeErrorOf([&] { field.setWidth(0); }), 0);
    EXPECT_EQ(runtimeErrorOf([&] { field.setLeft(-1e30f); }), 0);
}

TEST(PropertiesTest, AnImageTakesThePicturesSizeOnlyWithoutStretch)
{
    ProbeWindow probe(false);
    Image &image = probe.form->image("Pic");
    image.setStretch(false);
    image.setPicture(LoadPicture());
    EXPECT_EQ(image.width(), 750);
    EXPECT_EQ(image.height(), 750);

    image.setPicture(Picture(&icons::Application));
    EXPECT_EQ(image.width(), 480);
    EXPECT_EQ(image.height(), 480);

    image.setStretch(true);
    image.setWidth(1000);
    image.setPicture(Picture(&icons::OpenForm));
    EXPECT_EQ(image.width(), 1000);
    EXPECT_EQ(image.height(), 480);
}

TEST(PropertiesTest, EveryNewSliderValueRaisesChangeAndStaysInRange)
{
    ProbeWindow probe(false);
    Slider &zoom = probe.form->slider("Zoom");
    std::vector<std::int32_t> changes;
    zoom.bind(Event::Change, [&](const EventArgs &) { changes.push_back(zoom.value()); });

    zoom.setValue(50);
    zoom.setValue(50);
    zoom.setValue(300);
    zoom.setValue(-7);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{50, 200, 1}));
    // A disabled slider still changes from code.
    zoom.setEnabled(false);
    zoom.setValue(100);
    EXPECT_EQ(changes.back(), 100);
}

TEST(PropertiesTest, ListIndexSelectsOnlyExistingEntries)
{
    ProbeWindow probe(false);
    ComboBox &list = probe.form->comboBox("List");
    EXPECT_EQ(list.listIndex(), -1);
    list.addItem("Arial");
    EXPECT_EQ(runtimeErrorOf([&] { list.setListIndex(1); }), 380);
    list.setListIndex(0);
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(list.list(0), "Arial");
    list.setListIndex(-1);
    EXPECT_EQ(list.listIndex(), -1);
}

TEST(PropertiesTest, ControlsAreFoundByNameAndIndexOnly)
{
    ProbeWindow probe(false);
    Form &form = *probe.form;
    EXPECT_EQ(form.commandButton("Cmd", 1).caption(), "&Aus");
    EXPECT_EQ(&form.control("W"), &form);
    EXPECT_EQ(runtimeErrorOf([&] { form.control("Cmd", 2); }), 340);
    EXPECT_EQ(runtimeErrorOf([&] { form.control("Cmd"); }), 340);
    EXPECT_EQ(runtimeErrorOf([&] { form.control("Box", 0); }), 340);
    EXPECT_EQ(runtimeErrorOf([&] { form.textBox("Pic"); }), 13);
}

TEST(PropertiesTest, VisibleAndEnabledAreTheControlsOwnSettings)
{
    ProbeWindow probe;
    Control &box = probe.form->control("Box");
    Control &field = probe.form->control("Field");
    box.setVisible(false);
    box.setEnabled(false);
    EXPECT_TRUE(field.visible());
    EXPECT_TRUE(field.enabled());
    EXPECT_FALSE(field.widget()->isVisible());
    EXPECT_FALSE(field.widget()->isEnabled());
    box.setVisible(true);
    box.setEnabled(true);
    EXPECT_TRUE(field.widget()->isVisible());
    EXPECT_TRUE(field.widget()->isEnabled());
}

TEST(PropertiesTest, ZOrderBringsAControlInFrontOfItsSiblings)
{
    ProbeWindow probe(false);
    Control &field = probe.form->control("Field");
    const QObjectList &siblings = field.widget()->parentWidget()->children();
    ASSERT_NE(siblings.back(), field.widget());
    field.zOrder();
    EXPECT_EQ(siblings.back(), field.widget());
}

TEST(PropertiesTest, BackColorFillsTheControl)
{
    ProbeWindow probe(false);
    Control &box = probe.form->control("Box");
    EXPECT_TRUE(box.widget()->autoFillBackground());
    EXPECT_EQ(box.widget()->palette().color(QPalette::Window), QColor(255, 255, 192));
    box.setBackColor(Color::rgb(1, 2, 3));
    EXPECT_EQ(box.backColor(), Color::rgb(1, 2, 3));
    EXPECT_EQ(box.widget()->palette().color(QPalette::Window), QColor(1, 2, 3));
}
