// Runs with QT_SCALE_FACTOR=2: the window is drawn at twice the pixels, and what it draws itself
// (icons, the symbol) is drawn at that resolution, not scaled up from one pixel per unit.

#include "tests/support/Support.h"

#include <QAbstractButton>
#include <QImage>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

using namespace toolkit;

namespace {

// How many 2 x 2 blocks of the image's rectangle are not of one colour: none in a picture
// scaled up from one pixel to two.
int mixedBlocks(const QImage &image, const QRect &area)
{
    int mixed = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2) {
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner)
                ++mixed;
        }
    }
    return mixed;
}

QImage grabAtDevicePixels(const Control &control)
{
    return control.widget()->grab().toImage();
}

} // namespace

TEST(HighDpiTest, TheWindowIsDrawnAtTwiceThePixels)
{
    LoadedWindow window;
    ASSERT_EQ(window.form->widget()->devicePixelRatioF(), 2.0);
    const QImage image = grabAtDevicePixels(*window.form);
    EXPECT_EQ(image.size(), QSize(2 * 554, 2 * 374));
    // Sizes in twips are those of a ratio of 1.
    EXPECT_EQ(window.form->scaleWidth(), 8310);
    EXPECT_EQ(window.form->control("ViewPic").width(), 6075);
}

TEST(HighDpiTest, IconsAreDrawnAtTheDeviceResolution)
{
    LoadedWindow window;
    auto *tabs = window.form->control("TS").widget()->findChild<QTabBar *>();
    QTest::mouseClick(windowOf(*window.form), Qt::LeftButton, {},
                      tabs->mapTo(window.form->widget(), tabs->tabRect(1).center()));
    // "Formular öffnen" on the "Anwenden" layer, enabled: its folder has slanted edges.
    const Control &open = window.form->control("Btn", 5);
    const QImage icon =
        static_cast<QAbstractButton *>(open.widget())->icon().pixmap(QSize(32, 32), 2.0).toImage();
    ASSERT_EQ(icon.size(), QSize(64, 64));
    EXPECT_GT(mixedBlocks(icon, icon.rect()), 10);
    std::set<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) == 255)
                colours.insert(icon.pixel(x, y));
    EXPECT_LE(colours.size(), 16u);

    // The button shows exactly these pixels.
    const QImage button = grabAtDevicePixels(open);
    ASSERT_EQ(button.size(), QSize(2 * 53, 2 * 69));
    const QPoint corner(2 * ((53 - 32) / 2), 2 * 4);
    int differing = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) == 255 && button.pixel(corner + QPoint(x, y)) != icon.pixel(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);
}

TEST(HighDpiTest, TheSymbolIsDrawnAtTheDeviceResolution)
{
    LoadedWindow window;
    const QImage image = grabAtDevicePixels(window.form->control("Btn", 4));
    ASSERT_EQ(image.size(), QSize(2 * 33, 2 * 17));
    EXPECT_GT(mixedBlocks(image, QRect(16, 6, 34, 22)), 10);
}
