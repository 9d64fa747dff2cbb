// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Arithmetic.h"
#include "tests/support/Support.h"
#include "toolkit/RuntimeError.h"
#include "toolkit/Twips.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace toolkit;

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kOverflow = int(ErrorCode::Overflow);
constexpr int kInvalid = int(ErrorCode::InvalidOperation);
} // namespace

TEST(ArithmeticTest, QuotientsAndLongsFailAsTheRuntimeDoes)
{
    EXPECT_EQ(runtimeErrorOf([] { quotient(-1, 0); }), int(ErrorCode::DivisionByZero));
    EXPECT_EQ(runtimeErrorOf([] { quotient(0, 0); }), kInvalid);
    EXPECT_EQ(runtimeErrorOf([] { quotient(kInfinity, kInfinity); }), kInvalid);
    // Halves go to the even neighbour.
    for (auto [value, rounded] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-3.5, -4}, {166.667, 167}})
        EXPECT_EQ(roundToLong(value), rounded) << value;
    EXPECT_EQ(roundToLong(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(runtimeErrorOf([] { roundToLong(2147483647.5); }), kOverflow);
    EXPECT_EQ(runtimeErrorOf([] { roundToLong(std::nan("")); }), kOverflow);
}

TEST(ArithmeticTest, TwipsShowAtTheNearestPixelWithinAWidgetsRange)
{
    for (auto [twips, pixels] :
         {std::pair{6069.6, 405}, {7.5, 1}, {7.4, 0}, {-240.0, -16}, {-7.5, 0}, {-7.6, -1}})
        EXPECT_EQ(pixelsFromTwips(twips), pixels) << twips;
    EXPECT_EQ(pixelsFromTwips(-FLT_MAX), -16777215);
    EXPECT_EQ(pixelsFromTwips(std::nan("")), 0);
}
