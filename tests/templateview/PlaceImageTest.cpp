#include "templateview/Module1.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <limits>

using namespace toolkit;

namespace {

// A loaded window whose viewport and picture have the given sizes, the picture at the origin.
struct Clamp : LoadedWindow
{
    Clamp(float viewportWidth, float pictureWidth, float viewportHeight = 5415, float pictureHeight = 2000)
    {
        form->control("ViewPic").setWidth(viewportWidth);
        form->control("ViewPic").setHeight(viewportHeight);
        form->image("BMPImage").setWidth(pictureWidth);
        form->image("BMPImage").setHeight(pictureHeight);
    }

    // Where a request puts the picture: (Left, Top) after PlaceImage.
    std::pair<float, float> place(float left, float top = 0)
    {
        Module1::PlaceImage(*form, state(), left, top);
        return {form->image("BMPImage").left(), form->image("BMPImage").top()};
    }
    float placeLeft(float left) { return place(left).first; }
};

} // namespace

TEST(PlaceImageTest, APictureWiderThanTheViewportStaysOverIt)
{
    Clamp clamp(5000, 8000);
    EXPECT_EQ(clamp.placeLeft(300), 0);
    EXPECT_EQ(clamp.placeLeft(-1200), -1200);
    EXPECT_EQ(clamp.placeLeft(-3000), -3000);
    EXPECT_EQ(clamp.placeLeft(-4000), -3000);
    EXPECT_EQ(clamp.placeLeft(-0.5f), -0.5f);
    EXPECT_EQ(clamp.state().LastImgLeft, -0.5f);
}

TEST(PlaceImageTest, APictureNotLargerThanTheViewportStandsAtTheOrigin)
{
    for (float pictureWidth : {5000.0f, 4999.0f, 0.0f}) {
        SCOPED_TRACE(pictureWidth);
        Clamp clamp(5000, pictureWidth, 3000, 3000);
        for (float request : {-2000.0f, -1.0f, 0.0f, 250.0f}) {
            EXPECT_EQ(clamp.place(request, request), (std::pair<float, float>{0, 0}));
        }
    }
}

TEST(PlaceImageTest, TheVerticalAxisClampsAgainstTheHeights)
{
    Clamp clamp(5000, 4000, 3000, 7000);
    EXPECT_EQ(clamp.place(-500, 100), (std::pair<float, float>{0, 0}));
    EXPECT_EQ(clamp.place(-500, -2500), (std::pair<float, float>{0, -2500}));
    EXPECT_EQ(clamp.place(-500, -9000), (std::pair<float, float>{0, -4000}));
}

TEST(PlaceImageTest, OnlyAnAxisThatDiffersFromTheLastWriteIsWritten)
{
    Clamp clamp(5000, 8000, 3000, 7000);
    clamp.place(-100, -200);
    // Moved behind the clamp's back: a request equal to the last write is not written again.
    clamp.form->image("BMPImage").move(-7, -9);
    EXPECT_EQ(clamp.place(-100, -200), (std::pair<float, float>{-7, -9}));
    EXPECT_EQ(clamp.place(-150, -200), (std::pair<float, float>{-150, -9}));
    EXPECT_EQ(clamp.place(-150, -250), (std::pair<float, float>{-150, -250}));
    EXPECT_EQ(clamp.state().LastImgLeft, -150);
    EXPECT_EQ(clamp.state().LastImgTop, -250);
}

TEST(PlaceImageTest, TheRightEdgeIsComparedAsASingle)
{
    // Left + Width is 16777215.5 in double, which rounds to the float 16777216, the viewport's
    // width: not less than it, so the request stands.
    Clamp clamp(16777216.0f, 16777218.0f);
    EXPECT_EQ(clamp.placeLeft(-2.5f), -2.5f);
    EXPECT_EQ(clamp.placeLeft(-3.5f), -2.0f);
}

TEST(PlaceImageTest, AFloatingPointErrorLeavesPictureAndRecordUntouched)
{
    Clamp clamp(5000, 8000, 3000, 7000);
    clamp.place(-100, -200);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (auto [left, top] : {std::pair{nan, -300.0f}, std::pair{-300.0f, nan}}) {
        try {
            Module1::PlaceImage(*clamp.form, clamp.state(), left, top);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError &error) {
            EXPECT_EQ(error.code(), ErrorCode::InvalidOperation);
        }
        EXPECT_EQ(clamp.form->image("BMPImage").left(), -100);
        EXPECT_EQ(clamp.form->image("BMPImage").top(), -200);
        EXPECT_EQ(clamp.state().LastImgLeft, -100);
        EXPECT_EQ(clamp.state().LastImgTop, -200);
    }
}
