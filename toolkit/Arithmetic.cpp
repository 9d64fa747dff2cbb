// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Arithmetic.h"

#include "toolkit/RuntimeError.h"

#include <cmath>
#include <limits>

namespace toolkit {

namespace {
// The largest float plus half of its last place: from here on a double rounds to infinity when
// stored as float (the tie goes to the even neighbour, which is infinity).
constexpr double kFloatOverflowThreshold = 0x1.ffffffp127;
} // namespace

float storedSingle(double value)
{
    constexpr float infinity = std::numeric_limits<float>::infinity();
    if (std::fabs(value) >= kFloatOverflowThreshold)
        return std::signbit(value) ? -infinity : infinity;
    return static_cast<float>(value);
}

float single(double value)
{
    if (std::isnan(value))
        throw RuntimeError(ErrorCode::InvalidOperation);
    if (std::fabs(value) >= kFloatOverflowThreshold)
        throw RuntimeError(ErrorCode::Overflow);
    return static_cast<float>(value);
}

double quotient(double dividend, double divisor)
{
    if (divisor == 0.0) {
        if (dividend == 0.0 || std::isnan(dividend))
            throw RuntimeError(ErrorCode::InvalidOperation);
        throw RuntimeError(ErrorCode::DivisionByZero);
    }
    const double result = dividend / divisor;
    if (std::isnan(result))
        throw RuntimeError(ErrorCode::InvalidOperation);
    return result;
}

std::int32_t roundToLong(double value)
{
    if (std::isnan(value))
        throw RuntimeError(ErrorCode::Overflow);
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        throw RuntimeError(ErrorCode::Overflow);
    return static_cast<std::int32_t>(rounded);
}

} // namespace toolkit
