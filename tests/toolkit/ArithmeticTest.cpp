#include "toolkit/Arithmetic.h"
#include "tests/support/Support.h"
#include "toolkit/RuntimeError.h"
#include "toolkit/Twips.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace toolkit;

TEST(SingleTest, StoresTheNearestFloatOfTheDoubleResult)
{
    // 4215 * 144 / 100 in double, then rounded once to float.
    EXPECT_EQ(single(4215.0 * 144 / 100), 6069.6f);
    EXPECT_EQ(single(-0.0), 0.0f);
    EXPECT_EQ(single(FLT_MAX), FLT_MAX);
}

TEST(SingleTest, OverflowStartsWhereTheFloatRoundsToInfinity)
{
    const double lastBelow = std::nextafter(0x1.ffffffp127, 0.0);
    EXPECT_EQ(single(lastBelow), FLT_MAX);
    EXPECT_EQ(single(-lastBelow), -FLT_MAX);
    EXPECT_EQ(runtimeErrorOf([] { single(0x1.ffffffp127); }), int(ErrorCode::Overflow));
    EXPECT_EQ(runtimeErrorOf([] { single(-1e39); }), int(ErrorCode::Overflow));
    EXPECT_EQ(runtimeErrorOf([] { single(std::numeric_limits<double>::infinity()); }),
              int(ErrorCode::Overflow));
    EXPECT_EQ(runtimeErrorOf([] { single(std::nan("")); }), int(ErrorCode::InvalidOperation));
}

TEST(SingleTest, StoredSingleKeepsWhatTheCheckWouldRefuse)
{
    EXPECT_EQ(storedSingle(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(storedSingle(-1e39), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(storedSingle(std::nan(""))));
    EXPECT_EQ(storedSingle(2235.0), 2235.0f);
}

TEST(QuotientTest, DivisionByZeroAndInvalidOperation)
{
    EXPECT_DOUBLE_EQ(quotient(6075, 4215), 6075.0 / 4215.0);
    EXPECT_EQ(runtimeErrorOf([] { quotient(6075, 0); }), int(ErrorCode::DivisionByZero));
    EXPECT_EQ(runtimeErrorOf([] { quotient(-1, 0); }), int(ErrorCode::DivisionByZero));
    EXPECT_EQ(runtimeErrorOf([] { quotient(0, 0); }), int(ErrorCode::InvalidOperation));
    EXPECT_EQ(runtimeErrorOf([] {
                  quotient(std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity());
              }),
              int(ErrorCode::InvalidOperation));
}

TEST(RoundToLongTest, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundToLong(144.128), 144);
    EXPECT_EQ(roundToLong(166.667), 167);
    EXPECT_EQ(roundToLong(0.5), 0);
    EXPECT_EQ(roundToLong(1.5), 2);
    EXPECT_EQ(roundToLong(2.5), 2);
    EXPECT_EQ(roundToLong(-2.5), -2);
    EXPECT_EQ(roundToLong(-3.5), -4);
}

TEST(RoundToLongTest, OutsideTheLongRangeIsAnOverflow)
{
    EXPECT_EQ(roundToLong(2147483647.4), 2147483647);
    EXPECT_EQ(roundToLong(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(runtimeErrorOf([] { roundToLong(2147483647.5); }), int(ErrorCode::Overflow));
    EXPECT_EQ(runtimeErrorOf([] { roundToLong(-2147483649.0); }), int(ErrorCode::Overflow));
    EXPECT_EQ(runtimeErrorOf([] { roundToLong(std::nan("")); }), int(ErrorCode::Overflow));
}

TEST(TwipsTest, NearestPixelWithHalvesUp)
{
    EXPECT_EQ(pixelsFromTwips(8310), 554);
    EXPECT_EQ(pixelsFromTwips(6069.6f), 405);
    EXPECT_EQ(pixelsFromTwips(7.5), 1);
    EXPECT_EQ(pixelsFromTwips(7.4), 0);
    EXPECT_EQ(pixelsFromTwips(-240), -16);
    EXPECT_EQ(pixelsFromTwips(-7.5), 0);
    EXPECT_EQ(pixelsFromTwips(-7.6), -1);
}

TEST(TwipsTest, ExtremeValuesStayWithinAWidgetsRange)
{
    EXPECT_EQ(pixelsFromTwips(FLT_MAX), 16777215);
    EXPECT_EQ(pixelsFromTwips(-FLT_MAX), -16777215);
    EXPECT_EQ(pixelsFromTwips(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(twipsFromPixels(405), 6075);
    EXPECT_DOUBLE_EQ(twipsFromPixels(0.5), 7.5);
}
