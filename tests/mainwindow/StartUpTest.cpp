#include "templateview/Module1.h"
#include "tests/support/Support.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace toolkit;

namespace {

// The viewport in pixels, as the user sees it.
QSize viewportPixels(const MForm &form)
{
    return form.control("ViewPic").widget()->size();
}

QPoint pixelsOf(const Control &control)
{
    return control.widget()->pos();
}

} // namespace

TEST(StartUpTest, TheWindowAfterLoadAsAUserFindsIt)
{
    LoadedWindow window(false);
    MForm &form = *window.form;
    // Before load the layers stand apart in their own colours.
    EXPECT_EQ(pixelsOf(form.control("Layer", 1)), QPoint(292, 24));
    EXPECT_EQ(pixelsOf(form.control("Layer", 2)), QPoint(420, 24));
    EXPECT_EQ(window.state().WorkMode, 0);

    form.load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.widget()));
    EXPECT_TRUE(form.widget()->isVisible());
    EXPECT_EQ(form.widget()->windowTitle(), QStringLiteral("Quorvel"));

    // Both layers lie over the tab strip's page at (TS.Left + 60, TS.Top + 520), in the window's
    // colour; the first is enabled and in front.
    for (std::int16_t i : {1, 2}) {
        const Control &layer = form.control("Layer", i);
        EXPECT_EQ(layer.left(), 120);
        EXPECT_EQ(layer.top(), 700);
        EXPECT_EQ(pixelsOf(layer), QPoint(8, 47));
        EXPECT_EQ(layer.backColor(), form.backColor());
        EXPECT_EQ(layer.widget()->palette().color(QPalette::Window),
                  form.widget()->palette().color(QPalette::Window));
    }
    EXPECT_TRUE(form.control("Layer", 1).enabled());
    EXPECT_FALSE(form.control("Layer", 2).enabled());
    EXPECT_EQ(form.widget()->children().back(), form.control("Layer", 1).widget());
    EXPECT_EQ(window.state().WorkMode, 1);

    // The template is measured at its design size, fitted to 144 % and stands at the origin.
    const Image &picture = form.image("BMPImage");
    EXPECT_EQ(window.state().TemplateW, 4215);
    EXPECT_EQ(window.state().TemplateH, 2055);
    EXPECT_TRUE(picture.stretch());
    EXPECT_EQ(form.slider("ZoomSlider").value(), 144);
    EXPECT_EQ(form.frame("ZoomFrame").caption(), "Ansicht 144%");
    EXPECT_EQ(picture.width(), 6069.6f);
    EXPECT_EQ(picture.height(), 2959.2f);
    EXPECT_EQ(picture.left(), 0);
    EXPECT_EQ(picture.top(), 0);
    EXPECT_EQ(window.state().LastImgLeft, 0);
    EXPECT_EQ(window.state().LastImgTop, 0);

    // The window kept its designed size, so the viewport kept its designed 6075 x 5415.
    EXPECT_EQ(window.state().ViewMarginW, 2235);
    EXPECT_EQ(window.state().ViewMarginH, 195);
    EXPECT_EQ(form.control("ViewPic").width(), 6075);
    EXPECT_EQ(form.control("ViewPic").height(), 5415);
    EXPECT_EQ(form.widget()->size(), QSize(554, 374));

    const auto &fonts = form.comboBox("FontList");
    ASSERT_EQ(fonts.listCount(), 1);
    EXPECT_EQ(fonts.list(0), "Arial");
    EXPECT_EQ(fonts.listIndex(), 0);
    EXPECT_EQ(static_cast<QComboBox *>(fonts.widget())->currentText(), QStringLiteral("Arial"));

    for (const char *hidden : {"TBshadow", "DruckPic"})
        EXPECT_FALSE(form.control(hidden).widget()->isVisible());
    for (std::int16_t i : {0, 1})
        EXPECT_FALSE(form.control("tb", i).widget()->isVisible());
    EXPECT_TRUE(window.log.errors.empty());
    EXPECT_EQ(window.log.beeps, 0);
}

TEST(ResizeTest, ATooSmallWindowComesBackToTheMinimumAndTheViewportFillsIt)
{
    LoadedWindow window;
    MForm &form = *window.form;
    // Outer 200 x 300 pixels, 3000 x 4500 twips, with the frame of 8 x 27 pixels.
    resizeInner(form, 192, 273);
    EXPECT_EQ(form.width(), 4005);
    EXPECT_EQ(form.height(), 6000);
    EXPECT_EQ(form.widget()->size(), QSize(259, 373));
    EXPECT_EQ(form.control("ViewPic").width(), 259 * 15 - 2235);
    EXPECT_EQ(form.control("ViewPic").height(), 373 * 15 - 195);
    EXPECT_EQ(viewportPixels(form), QSize(110, 360));
    EXPECT_TRUE(window.log.errors.empty());
}

TEST(ResizeTest, AWindowAtTheMinimumHeightIsLeftAlone)
{
    LoadedWindow window;
    MForm &form = *window.form;
    resizeInner(form, 300, 373);
    EXPECT_EQ(form.height(), 6000);
    EXPECT_EQ(form.widget()->size(), QSize(300, 373));
    resizeInner(form, 300, 372);
    EXPECT_EQ(form.widget()->size(), QSize(300, 373));
}

TEST(ResizeTest, GrowingAndShrinkingBackGivesTheSameViewport)
{
    LoadedWindow window;
    MForm &form = *window.form;
    const float width = form.control("ViewPic").width();
    const float height = form.control("ViewPic").height();
    resizeInner(form, 900, 700);
    EXPECT_EQ(form.control("ViewPic").width(), 900 * 15 - 2235);
    EXPECT_EQ(form.control("ViewPic").height(), 700 * 15 - 195);
    resizeInner(form, 554, 374);
    EXPECT_EQ(form.control("ViewPic").width(), width);
    EXPECT_EQ(form.control("ViewPic").height(), height);
    EXPECT_EQ(window.state().ViewMarginW, 2235);
}

TEST(ResizeTest, MinimisingChangesNothingAndRestoringFollowsTheWindow)
{
    LoadedWindow window;
    MForm &form = *window.form;
    // Narrow enough for the fitted picture to be panned, and panned to its right limit.
    resizeInner(form, 400, 374);
    float left = -10000;
    float top = 0;
    Module1::PlaceImage(form, window.state(), left, top);
    const float limit = 400 * 15 - 2235 - 6069.6f;
    ASSERT_EQ(form.image("BMPImage").left(), limit);

    form.widget()->showMinimized();
    QTRY_COMPARE(form.windowState(), 1);
    EXPECT_EQ(form.control("ViewPic").width(), 400 * 15 - 2235);
    EXPECT_EQ(form.image("BMPImage").left(), limit);

    form.widget()->showNormal();
    QTRY_COMPARE(form.windowState(), 0);
    EXPECT_EQ(form.control("ViewPic").width(), 400 * 15 - 2235);
    EXPECT_EQ(form.image("BMPImage").left(), limit);
}

TEST(ResizeTest, AGapOpeningRightOfAWidePictureIsClosed)
{
    LoadedWindow window;
    MForm &form = *window.form;
    form.slider("ZoomSlider").setValue(200);
    float left = -10000;
    float top = 0;
    Module1::PlaceImage(form, window.state(), left, top);
    ASSERT_EQ(form.image("BMPImage").left(), 6075 - 8430);

    // 1000 twips wider: the picture's right edge follows the viewport's.
    resizeInner(form, 554 + 1000 / 15 + 1, 374);
    const float viewport = form.control("ViewPic").width();
    EXPECT_EQ(form.image("BMPImage").left(), viewport - 8430);
    EXPECT_EQ(window.state().LastImgLeft, viewport - 8430);

    // Wide enough for all of it: the picture goes to the origin.
    form.widget()->showMaximized();
    QTRY_COMPARE(form.windowState(), 2);
    const QSize screen = form.widget()->screen()->availableGeometry().size();
    QTRY_VERIFY(form.widget()->width() >= screen.width() - 8);
    EXPECT_EQ(form.control("ViewPic").width(), float(form.widget()->width() * 15 - 2235));
    EXPECT_EQ(form.image("BMPImage").left(), 0);
}

TEST(WorkTabsTest, ClickingATabSelectsItsLayer)
{
    LoadedWindow window;
    MForm &form = *window.form;
    auto *tabBar = form.control("TS").widget()->findChild<QTabBar *>();
    ASSERT_NE(tabBar, nullptr);
    const auto click = [&](int tab) {
        QTest::mouseClick(windowOf(form), Qt::LeftButton, {},
                          tabBar->mapTo(form.widget(), tabBar->tabRect(tab).center()));
    };
    const auto expectTab = [&](std::int16_t tab) {
        EXPECT_EQ(window.state().WorkMode, tab);
        EXPECT_EQ(form.control("Layer", 1).enabled(), tab == 1);
        EXPECT_EQ(form.control("Layer", 2).enabled(), tab == 2);
        EXPECT_EQ(form.widget()->children().back(), form.control("Layer", tab).widget());
        // Each layer's tools take input only while it is the selected one.
        EXPECT_EQ(form.control("Btn", 5).widget()->isEnabled(), tab == 2);
    };

    click(1);
    expectTab(2);
    click(1);
    expectTab(2);
    click(0);
    expectTab(1);
    click(0);
    expectTab(1);
    // Neither layer is ever hidden: the one behind is covered.
    EXPECT_TRUE(form.control("Layer", 2).widget()->isVisible());
}
