// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/Support.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace toolkit;

namespace {

// The loaded window with both text fields shown: no code of the program shows one yet. tb(0)
// stands at 2640, 4200 as designed.
struct FieldDrag : LoadedWindow
{
    FieldDrag()
    {
        field().setVisible(true);
        form->textBox("tb", 1).setVisible(true);
    }

    TextBox &field(std::int16_t index = 0) { return form->textBox("tb", index); }
    TextBox &proxy() { return form->textBox("TBshadow"); }
    QWindow *window() { return windowOf(*form); }
    QPoint start() { return centreInWindow(field()); }
    std::pair<float, float> place() { return {field().left(), field().top()}; }

    void drag(QPoint at, std::initializer_list<QPoint> steps, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        ::drag(window(), at, steps, buttons);
    }
};

} // namespace

TEST(TextFieldDragTest, TheProxyFollowsThePointerAndTheFieldTakesItsPlaceWithABeep)
{
    FieldDrag drag;
    drag.field().setText("Name");
    QTest::mouseMove(drag.window(), drag.start());
    QTest::mousePress(drag.window(), Qt::LeftButton, {}, drag.start());
    EXPECT_FALSE(drag.field().visible());
    EXPECT_TRUE(drag.proxy().visible());
    QTest::mouseMove(drag.window(), drag.start() + QPoint(17, -9));
    QTest::mouseMove(drag.window(), drag.start() + QPoint(30, -20));
    EXPECT_EQ(drag.proxy().left(), 2640 + 30 * 15);
    EXPECT_EQ(drag.proxy().top(), 4200 - 20 * 15);
    EXPECT_EQ(drag.proxy().text(), "Name");
    EXPECT_EQ(drag.log.beeps, 0);
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, drag.start() + QPoint(30, -20));
    EXPECT_EQ(drag.place(), std::make_pair(2640.0f + 30 * 15, 4200.0f - 20 * 15));
    EXPECT_TRUE(drag.field().visible());
    EXPECT_FALSE(drag.proxy().visible());
    EXPECT_EQ(drag.log.beeps, 1);
}

// The proxy is put on the pressed field at the press: a click does not send the field to wherever
// the proxy last stood, here where a drag of the other field left it.
TEST(TextFieldDragTest, AClickWithoutAMoveLeavesTheFieldWhereItWas)
{
    FieldDrag drag;
    drag.drag(centreInWindow(drag.field(1)), {{100, 100}});
    drag.drag(drag.start(), {});
    EXPECT_EQ(drag.place(), std::make_pair(2640.0f, 4200.0f));
    EXPECT_TRUE(drag.field().visible());
    EXPECT_EQ(drag.log.beeps, 2);
}

// The keyboard can switch the work tab while the mouse holds a field. A release ends the drag that
// the press began, and only that: the field neither stays hidden nor jumps to the proxy.
TEST(TextFieldDragTest, AReleaseAfterTheTabChangedFromTheKeyboardEndsOnlyADragAPressBegan)
{
    FieldDrag drag;
    const auto switchTabWhileHeld = [&](Qt::Key key) {
        drag.form->control("TS").widget()->setFocus();
        QTest::keyClick(drag.window(), key);
    };
    QTest::mousePress(drag.window(), Qt::LeftButton, {}, drag.start());
    QTest::mouseMove(drag.window(), drag.start() + QPoint(20, 10));
    switchTabWhileHeld(Qt::Key_Right);
    ASSERT_EQ(drag.state().WorkMode, 2);
    QTest::mouseMove(drag.window(), drag.start() + QPoint(60, 10));
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, drag.start() + QPoint(60, 10));
    EXPECT_TRUE(drag.field().visible());
    EXPECT_EQ(drag.place(), std::make_pair(2640.0f + 20 * 15, 4200.0f + 10 * 15));
    EXPECT_EQ(drag.log.beeps, 1);

    // Pressed on "Anwenden", released on "Bearbeiten": no drag began, though the proxy stands
    // where a drag of the other field left it.
    clickTab(*drag.form, 0);
    drag.drag(centreInWindow(drag.field(1)), {{100, 0}});
    clickTab(*drag.form, 1);
    QTest::mousePress(drag.window(), Qt::LeftButton, {}, drag.start());
    switchTabWhileHeld(Qt::Key_Left);
    ASSERT_EQ(drag.state().WorkMode, 1);
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, drag.start());
    EXPECT_EQ(drag.place(), std::make_pair(2640.0f + 20 * 15, 4200.0f + 10 * 15));
    EXPECT_EQ(drag.log.beeps, 2);
}

// A field's context menu opens on a right click, but not on a right press during a drag of the
// other field: that press belongs to the drag, and the menu, a popup, would take the release that
// ends it (as with Qt 6.8), leaving the field hidden behind its proxy.
TEST(TextFieldDragTest, ARightPressDuringADragOpensNoContextMenuAndTheReleaseEndsTheDrag)
{
    FieldDrag drag;
    const QPoint other = centreInWindow(drag.field(1));
    QTest::mousePress(drag.window(), Qt::LeftButton, {}, drag.start());
    QTest::mouseMove(drag.window(), other);
    QTest::mousePress(drag.window(), Qt::RightButton, {}, other);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, other);
    EXPECT_TRUE(drag.field().visible());
    EXPECT_FALSE(drag.proxy().visible());
    QTest::mouseRelease(drag.window(), Qt::RightButton, {}, other);

    QTest::mouseClick(drag.window(), Qt::RightButton, {}, other);
    QWidget *const menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    menu->close();
}
