#include "templateview/Module1.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <cfloat>

using namespace toolkit;

namespace {

// A loaded window with a template of the given natural size in a viewport of the given width.
struct Zoom : LoadedWindow
{
    Zoom(float viewportWidth, float templateWidth, float templateHeight = 2055)
    {
        form->control("ViewPic").setWidth(viewportWidth);
        state().TemplateW = templateWidth;
        state().TemplateH = templateHeight;
    }

    std::int32_t value() { return form->slider("ZoomSlider").value(); }
    std::string caption() { return form->frame("ZoomFrame").caption(); }
    Image &picture() { return form->image("BMPImage"); }
    void fit() { Module1::FitZoom(*form, state()); }
};

} // namespace

TEST(FitZoomTest, FitsThePictureToTheViewportsWidthInWholePercent)
{
    Zoom zoom(6000, 4000, 6000);
    zoom.fit();
    EXPECT_EQ(zoom.value(), 150);
    EXPECT_EQ(zoom.picture().width(), 6000);
    EXPECT_EQ(zoom.picture().height(), 9000);
    EXPECT_EQ(zoom.caption(), "Ansicht 150%");
    EXPECT_EQ(zoom.picture().left(), 0);
}

TEST(FitZoomTest, RoundingUpLeavesAPictureThatPansByTheDifference)
{
    Zoom zoom(5000, 3000);
    zoom.fit();
    EXPECT_EQ(zoom.value(), 167);
    EXPECT_EQ(zoom.picture().width(), 5010);
    float left = -100;
    float top = 0;
    Module1::PlaceImage(*zoom.form, zoom.state(), left, top);
    EXPECT_EQ(zoom.picture().left(), -10);
}

TEST(FitZoomTest, AnExactHalfRoundsToTheEvenPercent)
{
    // 1 / 8 * 100 = 12.5 and 3 / 8 * 100 = 37.5, exactly.
    Zoom zoom(1, 8);
    zoom.fit();
    EXPECT_EQ(zoom.value(), 12);
    zoom.form->control("ViewPic").setWidth(3);
    zoom.fit();
    EXPECT_EQ(zoom.value(), 38);
}

TEST(FitZoomTest, APercentBeyondTheSlidersRangeIsPutIntoIt)
{
    Zoom zoom(6075, 10);
    zoom.fit();
    EXPECT_EQ(zoom.value(), 200);
    EXPECT_EQ(zoom.caption(), "Ansicht 200%");
    EXPECT_EQ(zoom.picture().width(), 20);
    zoom.form->control("ViewPic").setWidth(0);
    zoom.fit();
    EXPECT_EQ(zoom.value(), 1);
}

TEST(FitZoomTest, AFailedDivisionOrConversionLeavesTheSliderAlone)
{
    Zoom zoom(6075, 0);
    EXPECT_EQ(runtimeErrorOf([&] { zoom.fit(); }), int(ErrorCode::DivisionByZero));
    zoom.form->control("ViewPic").setWidth(0);
    EXPECT_EQ(runtimeErrorOf([&] { zoom.fit(); }), int(ErrorCode::InvalidOperation));
    zoom.form->control("ViewPic").setWidth(6075);
    zoom.state().TemplateW = 1e-30f;
    EXPECT_EQ(runtimeErrorOf([&] { zoom.fit(); }), int(ErrorCode::Overflow));
    EXPECT_EQ(zoom.value(), 144);
    EXPECT_EQ(zoom.caption(), "Ansicht 144%");
}

TEST(FitZoomTest, TheFitButtonShowsTheErrorAndTheWindowGoesOn)
{
    Zoom zoom(6075, 0);
    zoom.form->dispatch(zoom.form->control("Btn", 4), Event::Click, {});
    EXPECT_EQ(zoom.log.errors, std::vector<int>{11});
    zoom.form->dispatch(zoom.form->control("Btn", 3), Event::Click, {});
    EXPECT_EQ(zoom.value(), 100);
}

TEST(ZoomSliderTest, ScalesFromTheNaturalSizeAndCaptionsTheFrame)
{
    Zoom zoom(6075, 4000, 6000);
    zoom.form->slider("ZoomSlider").setValue(50);
    EXPECT_EQ(zoom.picture().width(), 2000);
    EXPECT_EQ(zoom.picture().height(), 3000);
    EXPECT_EQ(zoom.caption(), "Ansicht 50%");
    zoom.form->slider("ZoomSlider").setValue(100);
    EXPECT_EQ(zoom.picture().width(), 4000);
    EXPECT_EQ(zoom.picture().height(), 6000);
    EXPECT_EQ(zoom.caption(), "Ansicht 100%");
}

TEST(ZoomSliderTest, EnlargingKeepsTheCornerAndShrinkingBelowTheViewportGoesToTheOrigin)
{
    Zoom zoom(6075, 4215, 2055);
    Slider &slider = zoom.form->slider("ZoomSlider");
    slider.setValue(200);
    float left = -1000;
    float top = 0;
    Module1::PlaceImage(*zoom.form, zoom.state(), left, top);
    ASSERT_EQ(zoom.picture().left(), -1000);

    slider.setValue(199);
    EXPECT_EQ(zoom.picture().left(), -1000);
    // 4215 * 160 % = 6744: the right edge would leave a gap, so it meets the viewport's edge.
    slider.setValue(160);
    EXPECT_EQ(zoom.picture().left(), 6075 - 6744);
    slider.setValue(140);
    EXPECT_EQ(zoom.picture().left(), 0);
    EXPECT_EQ(zoom.state().LastImgLeft, 0);
}

TEST(ZoomSliderTest, AnOverflowKeepsTheWritesAlreadyMade)
{
    // The width fits a Single at 200 %, the height does not.
    Zoom zoom(6075, 4215, FLT_MAX / 1.5f);
    Slider &slider = zoom.form->slider("ZoomSlider");
    const float heightBefore = zoom.picture().height();
    slider.setValue(200);
    EXPECT_EQ(zoom.log.errors, std::vector<int>{6});
    EXPECT_EQ(zoom.picture().width(), 8430);
    EXPECT_EQ(zoom.picture().height(), heightBefore);
    EXPECT_EQ(zoom.caption(), "Ansicht 144%");
    // No re-clamp ran: the wider picture was not placed again.
    EXPECT_EQ(zoom.state().LastImgLeft, 0);

    // Overflow in the width: nothing is written.
    zoom.state().TemplateW = FLT_MAX;
    slider.setValue(150);
    EXPECT_EQ(zoom.log.errors, (std::vector<int>{6, 6}));
    EXPECT_EQ(zoom.picture().width(), 8430);
}
