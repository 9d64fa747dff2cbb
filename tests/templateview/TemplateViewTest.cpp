// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "templateview/Module1.h"
#include "tests/support/Support.h"

#include <QTest>
#include <gtest/gtest.h>

#include <limits>

using namespace toolkit;

namespace {

using Position = std::pair<float, float>;

// The loaded window with a viewport, a picture and a template of the sizes a test needs.
struct View : LoadedWindow
{
    Image &picture() { return form->image("BMPImage"); }
    Position position() { return {picture().left(), picture().top()}; }
    void size(std::string_view name, float width, float height)
    {
        form->control(name).setWidth(width);
        form->control(name).setHeight(height);
    }
    Position place(float left, float top = 0)
    {
        Module1::PlaceImage(*form, state(), left, top);
        return position();
    }
    std::int32_t zoom() { return form->slider("ZoomSlider").value(); }
    std::int32_t fit(float viewportWidth, float templateWidth)
    {
        form->control("ViewPic").setWidth(viewportWidth);
        state().TemplateW = templateWidth;
        Module1::FitZoom(*form, state());
        return zoom();
    }
    std::string caption() { return form->frame("ZoomFrame").caption(); }

    // A drag with the given buttons from a point the picture covers, by each step in turn.
    void drag(Qt::MouseButtons buttons, std::initializer_list<QPoint> steps)
    {
        ::drag(windowOf(*form), inWindow(form->control("ViewPic"), {200, 100}), steps, buttons);
    }
};

} // namespace

TEST(PlaceImageTest, EachAxisKeepsALargerPictureOverTheViewportAndASmallerOneAtTheOrigin)
{
    View view;
    view.size("ViewPic", 5000, 3000);
    view.size("BMPImage", 8000, 7000);
    EXPECT_EQ(view.place(300, 100), Position(0, 0));
    EXPECT_EQ(view.place(-1200, -2500), Position(-1200, -2500));
    EXPECT_EQ(view.place(-4000, -9000), Position(-3000, -4000));
    // Exactly as large as the viewport, or smaller: the origin, whatever is asked.
    for (float width : {5000.0f, 4999.0f}) {
        view.size("BMPImage", width, 3000);
        EXPECT_EQ(view.place(-2000, -1), Position(0, 0));
        EXPECT_EQ(view.place(250, 250), Position(0, 0));
    }
    // Left + Width is 16777215.5, which as a Single is 16777216, the viewport's width: not less.
    view.size("ViewPic", 16777216.0f, 3000);
    view.size("BMPImage", 16777218.0f, 3000);
    EXPECT_EQ(view.place(-2.5f).first, -2.5f);
    EXPECT_EQ(view.place(-3.5f).first, -2.0f);
    // Exactly as wide, where that sum rounds up to the width again: still the origin.
    view.size("BMPImage", 16777216.0f, 3000);
    EXPECT_EQ(view.place(-0.5f).first, 0);
}

TEST(PlaceImageTest, OnlyWhatDiffersFromTheLastWriteIsWrittenAndAnErrorWritesNothing)
{
    View view;
    view.size("ViewPic", 5000, 3000);
    view.size("BMPImage", 8000, 7000);
    view.place(-100, -200);
    // Moved behind the clamp's back: a request equal to the last write is not written again.
    view.picture().move(-7, -9);
    EXPECT_EQ(view.place(-100, -200), Position(-7, -9));
    EXPECT_EQ(view.place(-150, -200), Position(-150, -9));
    EXPECT_EQ(Position(view.state().LastImgLeft, view.state().LastImgTop), Position(-150, -200));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(runtimeErrorOf([&] { view.place(-300, nan); }), int(ErrorCode::InvalidOperation));
    EXPECT_EQ(view.position(), Position(-150, -9));
    EXPECT_EQ(view.state().LastImgLeft, -150);
}

// X is measured from the picture's corner where it stands at each move: the pressed point of the
// template stays under the pointer through a whole drag, not only at its first move.
TEST(PanningTest, ThePressedPointStaysUnderThePointerWithTheLeftButton)
{
    View view;
    // 8430 x 12000 at 200 %: it pans both ways in the 6075 x 5415 viewport.
    view.state().TemplateH = 6000;
    view.form->slider("ZoomSlider").setValue(200);
    view.drag(Qt::LeftButton, {{-37, 0}});
    EXPECT_EQ(view.position(), Position(-37 * 15, 0));
    view.drag(Qt::LeftButton, {{-10, 0}, {-30, 5}, {-25, -5}});
    EXPECT_EQ(view.position(), Position(-62 * 15, -5 * 15));
    view.drag(Qt::LeftButton, {{400, 400}});
    EXPECT_EQ(view.position(), Position(0, 0));

    // The right button alone does not pan, but its press is recorded; with the left it pans.
    view.drag(Qt::RightButton, {{-50, 0}});
    EXPECT_EQ(view.picture().left(), 0);
    EXPECT_EQ(view.state().PanDownY, 100 * 15);
    view.drag(Qt::LeftButton | Qt::RightButton, {{-50, 0}});
    EXPECT_EQ(view.picture().left(), -50 * 15);

    // Panned to the far corner and zoomed out to 4215 x 6000: narrower than the viewport, the
    // picture goes to the origin; lower, it still covers the viewport's height.
    view.place(-99999, -99999);
    view.form->slider("ZoomSlider").setValue(100);
    EXPECT_EQ(view.position(), Position(0, 5415 - 6000));
}

TEST(FitZoomTest, DividesFirstAndRoundsHalvesToEvenIntoTheSlidersRange)
{
    View view;
    view.state().TemplateH = 6000;
    EXPECT_EQ(view.fit(6000, 4000), 150);
    EXPECT_EQ(view.picture().width(), 6000);
    EXPECT_EQ(view.picture().height(), 9000);
    EXPECT_EQ(view.caption(), "Ansicht 150%");
    // 167 % of 3000 is 10 wider than the viewport: the picture pans by 10.
    EXPECT_EQ(view.fit(5000, 3000), 167);
    EXPECT_EQ(view.place(-100).first, -10);
    // 23 / 40 * 100 is just below 57.5; 23 * 100 / 40 would be 57.5 exactly.
    EXPECT_EQ(view.fit(23, 40), 57);
    EXPECT_EQ(view.fit(1, 8), 12);
    EXPECT_EQ(view.fit(3, 8), 38);
    EXPECT_EQ(view.fit(6075, 10), 200);
    EXPECT_EQ(view.fit(0, 10), 1);
}
