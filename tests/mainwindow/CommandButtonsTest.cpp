#include "mainwindow/CommandButtons.h"
#include "tests/support/Support.h"

#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

using namespace toolkit;

namespace {

// What a button click could change.
struct Observable
{
    std::int32_t zoom;
    std::string caption;
    float left, top, width, height;
    std::int16_t workMode;
    int beeps;
    bool operator==(const Observable &) const = default;
};

Observable observe(LoadedWindow &window)
{
    const Image &picture = window.form->image("BMPImage");
    return {window.form->slider("ZoomSlider").value(),
            window.form->frame("ZoomFrame").caption(),
            picture.left(),
            picture.top(),
            picture.width(),
            picture.height(),
            window.state().WorkMode,
            window.log.beeps};
}

} // namespace

TEST(CommandButtonsTest, InfoAndHilfeOnlyBeep)
{
    LoadedWindow window;
    Observable expected = observe(window);
    for (std::int16_t index : {0, 2}) {
        Btn_Click(*window.form, window.state(), index);
        ++expected.beeps;
        EXPECT_EQ(observe(window), expected);
    }
}

TEST(CommandButtonsTest, ButtonsWithoutActionAndIndexesOutsideTheTableDoNothing)
{
    LoadedWindow window;
    const Observable before = observe(window);
    for (std::int16_t index : std::initializer_list<std::int16_t>{5, 6, 7, 8, 9, 10, 11, -1, -4,
                                                                  std::numeric_limits<std::int16_t>::min(),
                                                                  std::numeric_limits<std::int16_t>::max()}) {
        SCOPED_TRACE(index);
        EXPECT_NO_THROW(Btn_Click(*window.form, window.state(), index));
        EXPECT_EQ(observe(window), before);
    }
}

TEST(CommandButtonsTest, HundredPercentAfterAnotherZoomShowsTheNaturalSize)
{
    LoadedWindow window;
    Btn_Click(*window.form, window.state(), 3);
    EXPECT_EQ(window.form->slider("ZoomSlider").value(), 100);
    EXPECT_EQ(window.form->frame("ZoomFrame").caption(), "Ansicht 100%");
    EXPECT_EQ(window.form->image("BMPImage").width(), 4215);
    EXPECT_EQ(window.form->image("BMPImage").height(), 2055);
    // Again at 100: nothing changes.
    const Observable at100 = observe(window);
    Btn_Click(*window.form, window.state(), 3);
    EXPECT_EQ(observe(window), at100);
}

TEST(CommandButtonsTest, TheFitButtonFitsTheZoomToTheViewportAsItIsNow)
{
    LoadedWindow window;
    resizeInner(*window.form, 400, 374);
    Btn_Click(*window.form, window.state(), 3);
    Btn_Click(*window.form, window.state(), 4);
    // (400 * 15 - 2235) / 4215 * 100 = 89.3...
    EXPECT_EQ(window.form->slider("ZoomSlider").value(), 89);
    EXPECT_EQ(window.form->frame("ZoomFrame").caption(), "Ansicht 89%");
}

TEST(CommandButtonsTest, EndeEndsTheProgramFromEitherTab)
{
    for (int tab : {0, 1}) {
        LoadedWindow window;
        auto *tabBar = window.form->control("TS").widget()->findChild<QTabBar *>();
        QTest::mouseClick(windowOf(*window.form), Qt::LeftButton, {},
                          tabBar->mapTo(window.form->widget(), tabBar->tabRect(tab).center()));
        ASSERT_EQ(window.state().WorkMode, tab + 1);
        QTest::mouseClick(windowOf(*window.form), Qt::LeftButton, {},
                          centreInWindow(window.form->control("Btn", 1)));
        EXPECT_EQ(window.log.ends, 1);
        EXPECT_TRUE(window.form->hasEnded());
    }
    LoadedWindow window;
    EXPECT_THROW(Btn_Click(*window.form, window.state(), 1), EndRequest);
}
