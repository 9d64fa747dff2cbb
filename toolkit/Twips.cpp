// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Twips.h"

#include <cmath>

namespace toolkit {

namespace {
// QWidget keeps sizes below 2^24 pixels; positions are held in the same range so that the
// rectangle arithmetic of the toolkit can never overflow an int.
constexpr double kPixelLimit = 16777215.0;
} // namespace

int pixelsFromTwips(double twips)
{
    if (std::isnan(twips))
        return 0;
    const double pixels = std::floor(exactPixelsFromTwips(twips) + 0.5);
    return static_cast<int>(std::fmax(-kPixelLimit, std::fmin(kPixelLimit, pixels)));
}

double exactPixelsFromTwips(double twips)
{
    return twips / kTwipsPerPixel;
}

double twipsFromPixels(double pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace toolkit
