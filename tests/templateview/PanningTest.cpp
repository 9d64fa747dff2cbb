#include "templateview/TemplateHandlers.h"
#include "tests/support/Support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

using namespace toolkit;

namespace {

// The loaded window with the picture zoomed to 200 %: 8430 x 4110 twips in the 6075 x 5415
// viewport, so it can be panned left by 2355 twips and not at all vertically.
struct Pannable : LoadedWindow
{
    Pannable() { form->slider("ZoomSlider").setValue(200); }

    Image &picture() { return form->image("BMPImage"); }
    // A point of the viewport that the picture covers wherever the clamp lets it stand.
    QPoint pressPoint() { return inWindow(form->control("ViewPic"), {200, 100}); }

    // A drag with the given buttons from the press point by each of the steps in turn.
    void drag(Qt::MouseButtons buttons, std::initializer_list<QPoint> steps)
    {
        QWindow *window = windowOf(*form);
        const QPoint start = pressPoint();
        QTest::mouseMove(window, start);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            if (buttons & button)
                QTest::mousePress(window, button, {}, start);
        QPoint at = start;
        for (QPoint step : steps) {
            at = start + step;
            QTest::mouseMove(window, at);
        }
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            if (buttons & button)
                QTest::mouseRelease(window, button, {}, at);
    }
};

} // namespace

TEST(PanningTest, AtStartUpThePictureCannotBeDragged)
{
    LoadedWindow window;
    Image &picture = window.form->image("BMPImage");
    const QPoint start = inWindow(picture, {50, 50});
    QTest::mouseMove(windowOf(*window.form), start);
    QTest::mousePress(windowOf(*window.form), Qt::LeftButton, {}, start);
    QTest::mouseMove(windowOf(*window.form), start + QPoint(-40, -30));
    QTest::mouseMove(windowOf(*window.form), start + QPoint(60, 70));
    QTest::mouseRelease(windowOf(*window.form), Qt::LeftButton, {}, start + QPoint(60, 70));
    EXPECT_EQ(picture.left(), 0);
    EXPECT_EQ(picture.top(), 0);
    EXPECT_EQ(window.state().PanDownX, 50 * 15);
    EXPECT_TRUE(window.log.errors.empty());
}

TEST(PanningTest, AfterNarrowingTheWindowThePictureMovesLeftByTheDifferenceAndNoFurther)
{
    LoadedWindow window;
    resizeInner(*window.form, 500, 374);
    const float difference = 6069.6f - (500 * 15 - 2235);
    Image &picture = window.form->image("BMPImage");
    const QPoint start = inWindow(picture, {50, 50});
    QWindow *qwindow = windowOf(*window.form);
    QTest::mouseMove(qwindow, start);
    QTest::mousePress(qwindow, Qt::LeftButton, {}, start);
    QTest::mouseMove(qwindow, start + QPoint(-20, 0));
    EXPECT_EQ(picture.left(), -300);
    QTest::mouseMove(qwindow, start + QPoint(-200, 0));
    EXPECT_EQ(picture.left(), -difference);
    QTest::mouseRelease(qwindow, Qt::LeftButton, {}, start + QPoint(-200, 0));
    EXPECT_EQ(picture.widget()->x(), -qRound(difference / 15));
}

TEST(PanningTest, TheFirstMoveMovesByExactlyThePointersTravel)
{
    Pannable pannable;
    pannable.drag(Qt::LeftButton, {{-37, 0}});
    EXPECT_EQ(pannable.picture().left(), -37 * 15);
    EXPECT_EQ(pannable.picture().top(), 0);
    EXPECT_EQ(pannable.state().LastImgLeft, -37 * 15);
}

// X is measured from the picture's corner where it stands at each move; the pressed point of the
// template stays under the pointer through a whole drag, not only at its first move.
TEST(PanningTest, ThePressedPointStaysUnderThePointerThroughTheDrag)
{
    Pannable pannable;
    pannable.drag(Qt::LeftButton, {{-10, 0}, {-30, 5}, {-25, -5}});
    EXPECT_EQ(pannable.picture().left(), -25 * 15);
    pannable.drag(Qt::LeftButton, {{-400, 0}});
    EXPECT_EQ(pannable.picture().left(), 6075 - 8430);
    pannable.drag(Qt::LeftButton, {{400, 400}});
    EXPECT_EQ(pannable.picture().left(), 0);
    EXPECT_EQ(pannable.picture().top(), 0);
}

TEST(PanningTest, TheRightButtonAloneDoesNotPanButBothButtonsDo)
{
    Pannable pannable;
    pannable.drag(Qt::RightButton, {{-50, 0}});
    EXPECT_EQ(pannable.picture().left(), 0);
    // The right press still recorded the press point.
    EXPECT_EQ(pannable.state().PanDownX, 200 * 15);
    EXPECT_EQ(pannable.state().PanDownY, 100 * 15);

    pannable.drag(Qt::LeftButton | Qt::RightButton, {{-50, 0}});
    EXPECT_EQ(pannable.picture().left(), -50 * 15);
}

TEST(PanningTest, AMoveThatOverflowsASingleLeavesThePicture)
{
    Pannable pannable;
    pannable.drag(Qt::LeftButton, {{-20, 0}});
    ViewState &state = pannable.state();
    state.PanDownX = -FLT_MAX;
    EXPECT_THROW(BMPImage_MouseMove(*pannable.form, state, kLeftButton, 0, FLT_MAX, 0), RuntimeError);
    state.PanDownX = 0;
    EXPECT_THROW(
        BMPImage_MouseMove(*pannable.form, state, kLeftButton, 0, std::numeric_limits<float>::quiet_NaN(), 0),
        RuntimeError);
    EXPECT_EQ(pannable.picture().left(), -300);
    EXPECT_EQ(state.LastImgLeft, -300);
}

TEST(PanningTest, APointerBeyondASingleIsReportedAndTheDragGoesOn)
{
    Pannable pannable;
    QWidget *picture = pannable.picture().widget();
    QWindow *window = windowOf(*pannable.form);
    const QPoint press = pannable.pressPoint();
    const QPointF far(std::numeric_limits<double>::infinity(), 10);
    QTest::mouseMove(window, press);
    QTest::mousePress(window, Qt::LeftButton, {}, press);
    QMouseEvent move(QEvent::MouseMove, far, far, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    EXPECT_EQ(pannable.log.errors, std::vector<int>{6});
    EXPECT_EQ(pannable.picture().left(), 0);
    QTest::mouseMove(window, press + QPoint(-10, 0));
    QTest::mouseRelease(window, Qt::LeftButton, {}, press + QPoint(-10, 0));
    EXPECT_EQ(pannable.picture().left(), -150);
}
