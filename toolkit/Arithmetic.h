// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace toolkit {

// The program's arithmetic: operands are Singles (float), every expression is evaluated in double
// by the caller, and the result passes through one of these checks before it is stored. A failed
// check throws the runtime's error.

// The Single a result is stored as, unchecked: infinity where it overflows, NaN where it is not a
// number. For the few places that store a result first and test it afterwards.
float storedSingle(double value);

// A result stored or passed as Single. Throws Overflow when it does not fit a float (infinity
// included) and InvalidOperation when it is not a number.
float single(double value);

// dividend / divisor in double. Throws DivisionByZero for a finite non-zero dividend over zero and
// InvalidOperation for 0 / 0 or a quotient that is not a number.
double quotient(double dividend, double divisor);

// Conversion to a 32-bit whole number (Long): the nearest, an exact half to the even neighbour.
// Throws Overflow when the result lies outside the Long range or the value is not a number.
std::int32_t roundToLong(double value);

} // namespace toolkit
