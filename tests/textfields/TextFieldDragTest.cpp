#include "textfields/TextFieldDrag.h"
#include "tests/support/Support.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cfloat>

using namespace toolkit;

namespace {

// The loaded window with text field tb(index) shown: no code of the program shows one yet.
struct FieldDrag : LoadedWindow
{
    explicit FieldDrag(std::int16_t index = 0)
        : index(index)
    {
        field().setVisible(true);
    }

    TextBox &field() { return form->textBox("tb", index); }
    TextBox &proxy() { return form->textBox("TBshadow"); }
    QWindow *window() { return windowOf(*form); }

    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseMove(window(), at);
        QTest::mousePress(window(), button, {}, at);
    }

    void selectTab(int tab)
    {
        auto *tabBar = form->control("TS").widget()->findChild<QTabBar *>();
        QTest::mouseClick(window(), Qt::LeftButton, {},
                          tabBar->mapTo(form->widget(), tabBar->tabRect(tab).center()));
    }

    std::int16_t index;
};

} // namespace

TEST(TextFieldDragTest, ADragMovesTheFieldByExactlyThePointersTravel)
{
    FieldDrag drag;
    const QPoint start = centreInWindow(drag.field());
    drag.press(start);
    // During the drag the field is hidden and its proxy, of its size and text, follows the pointer.
    EXPECT_FALSE(drag.field().widget()->isVisible());
    EXPECT_TRUE(drag.proxy().widget()->isVisible());
    QTest::mouseMove(drag.window(), start + QPoint(17, -9));
    QTest::mouseMove(drag.window(), start + QPoint(30, -20));
    EXPECT_EQ(drag.proxy().left(), 2640 + 30 * 15);
    EXPECT_EQ(drag.proxy().top(), 4200 - 20 * 15);
    EXPECT_EQ(drag.proxy().width(), drag.field().width());
    EXPECT_EQ(drag.proxy().text(), "Text1");
    EXPECT_EQ(drag.log.beeps, 0);

    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(30, -20));
    EXPECT_EQ(drag.field().left(), 2640 + 30 * 15);
    EXPECT_EQ(drag.field().top(), 4200 - 20 * 15);
    EXPECT_TRUE(drag.field().widget()->isVisible());
    EXPECT_FALSE(drag.proxy().widget()->isVisible());
    EXPECT_EQ(drag.log.beeps, 1);
    EXPECT_EQ(drag.state().DragTbLeft, 2640);
    EXPECT_EQ(drag.state().DragTbTop, 4200);
}

// The proxy is put on the pressed field at the press: a click does not send the field to wherever
// the proxy last stood (its design place, 2760 x 4560, for a first click).
TEST(TextFieldDragTest, AClickWithoutAMoveLeavesTheFieldWhereItWas)
{
    FieldDrag drag;
    const QPoint start = centreInWindow(drag.field());
    drag.press(start);
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start);
    EXPECT_EQ(drag.field().left(), 2640);
    EXPECT_EQ(drag.field().top(), 4200);
    EXPECT_TRUE(drag.field().widget()->isVisible());
    EXPECT_EQ(drag.log.beeps, 1);

    // Also after an earlier drag of the other field left the proxy elsewhere.
    drag.form->textBox("tb", 1).setVisible(true);
    const QPoint other = centreInWindow(drag.form->control("tb", 1));
    drag.press(other);
    QTest::mouseMove(drag.window(), other + QPoint(100, 100));
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, other + QPoint(100, 100));
    drag.press(start);
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start);
    EXPECT_EQ(drag.field().left(), 2640);
    EXPECT_EQ(drag.field().top(), 4200);
}

TEST(TextFieldDragTest, InWorkModeTwoNothingHappens)
{
    FieldDrag drag;
    drag.selectTab(1);
    ASSERT_EQ(drag.state().WorkMode, 2);
    const QPoint start = centreInWindow(drag.field());
    drag.press(start);
    EXPECT_TRUE(drag.field().widget()->isVisible());
    QTest::mouseMove(drag.window(), start + QPoint(40, 0));
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(40, 0));
    EXPECT_EQ(drag.field().left(), 2640);
    EXPECT_FALSE(drag.proxy().widget()->isVisible());
    EXPECT_EQ(drag.log.beeps, 0);

    // Back on "Bearbeiten" fields drag again.
    drag.selectTab(0);
    drag.press(start);
    QTest::mouseMove(drag.window(), start + QPoint(40, 0));
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(40, 0));
    EXPECT_EQ(drag.field().left(), 2640 + 600);
}

// The keyboard can switch the work tab while the mouse holds a field: the release still ends that
// drag, so that the field does not stay hidden for good.
TEST(TextFieldDragTest, ADragEndsAtItsReleaseAfterTheTabChangedFromTheKeyboard)
{
    FieldDrag drag;
    const QPoint start = centreInWindow(drag.field());
    drag.press(start);
    QTest::mouseMove(drag.window(), start + QPoint(20, 10));
    drag.form->control("TS").widget()->setFocus();
    QTest::keyClick(drag.window(), Qt::Key_Right);
    ASSERT_EQ(drag.state().WorkMode, 2);
    // In work mode 2 the proxy no longer follows the pointer.
    QTest::mouseMove(drag.window(), start + QPoint(60, 10));
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(60, 10));
    EXPECT_TRUE(drag.field().visible());
    EXPECT_FALSE(drag.proxy().visible());
    EXPECT_EQ(drag.field().left(), 2640 + 20 * 15);
    EXPECT_EQ(drag.field().top(), 4200 + 10 * 15);
    EXPECT_EQ(drag.log.beeps, 1);
}

TEST(TextFieldDragTest, TheRightButtonAloneDoesNothingAndWithTheLeftItCountsAsLeft)
{
    FieldDrag drag;
    const QPoint start = centreInWindow(drag.field());
    drag.press(start, Qt::RightButton);
    QTest::mouseMove(drag.window(), start + QPoint(25, 5));
    QTest::mouseRelease(drag.window(), Qt::RightButton, {}, start + QPoint(25, 5));
    EXPECT_EQ(drag.field().left(), 2640);
    EXPECT_TRUE(drag.field().widget()->isVisible());
    EXPECT_EQ(drag.log.beeps, 0);

    drag.press(start, Qt::RightButton);
    QTest::mousePress(drag.window(), Qt::LeftButton, {}, start);
    QTest::mouseMove(drag.window(), start + QPoint(25, 5));
    QTest::mouseRelease(drag.window(), Qt::RightButton, {}, start + QPoint(25, 5));
    EXPECT_FALSE(drag.field().widget()->isVisible());
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(25, 5));
    EXPECT_EQ(drag.field().left(), 2640 + 25 * 15);
    EXPECT_EQ(drag.field().top(), 4200 + 5 * 15);
    EXPECT_TRUE(drag.field().widget()->isVisible());
    EXPECT_EQ(drag.log.beeps, 1);
}

TEST(TextFieldDragTest, AFieldReleasedOutsideTheViewportStaysThere)
{
    FieldDrag drag;
    const QPoint start = centreInWindow(drag.field());
    // Over the tool column, left of the viewport.
    const QPoint outside(60, start.y() - 100);
    drag.press(start);
    QTest::mouseMove(drag.window(), outside);
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, outside);
    EXPECT_EQ(drag.field().left(), 2640 + (outside.x() - start.x()) * 15);
    EXPECT_LT(drag.field().left(), 0);
    EXPECT_TRUE(drag.field().visible());
    EXPECT_EQ(drag.log.beeps, 1);
}

TEST(TextFieldDragTest, TheProxyKeepsTheLastFieldsTextAndSizeButHides)
{
    FieldDrag drag(1);
    drag.field().setText("Name");
    drag.field().setWidth(1500);
    drag.field().setHeight(300);
    const QPoint start = centreInWindow(drag.field());
    drag.press(start);
    QTest::mouseMove(drag.window(), start + QPoint(10, 10));
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(10, 10));
    EXPECT_FALSE(drag.proxy().visible());
    EXPECT_EQ(drag.proxy().text(), "Name");
    EXPECT_EQ(drag.proxy().width(), 1500);
    EXPECT_EQ(drag.proxy().height(), 300);
    EXPECT_EQ(static_cast<QLineEdit *>(drag.proxy().widget())->text(), QStringLiteral("Name"));
}

TEST(TextFieldDragTest, AMoveThatOverflowsASingleLeavesTheProxy)
{
    FieldDrag drag;
    const QPoint start = centreInWindow(drag.field());
    drag.press(start);
    QTest::mouseMove(drag.window(), start + QPoint(5, 5));
    const float left = drag.proxy().left();
    drag.state().DragDownX = -FLT_MAX;
    EXPECT_THROW(TB_MouseMove(*drag.form, drag.state(), 0, kLeftButton, 0, FLT_MAX, 0), RuntimeError);
    EXPECT_EQ(drag.proxy().left(), left);
    drag.state().DragDownX = 0;
    QTest::mouseRelease(drag.window(), Qt::LeftButton, {}, start + QPoint(5, 5));
    EXPECT_TRUE(drag.field().visible());
}
