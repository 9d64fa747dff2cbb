// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace toolkit {

// Positions and sizes are kept in twips; a logical pixel is 15 twips.
inline constexpr double kTwipsPerPixel = 15.0;

// The one conversion from twips to the logical pixel a position or size is shown at: the nearest
// pixel (a half goes up), held within the range a widget geometry can take.
int pixelsFromTwips(double twips);

// The logical pixels of a length in twips, unrounded: a window's outer size, which the window
// system rounds together with the frame around it.
double exactPixelsFromTwips(double twips);

// The twips of a logical pixel coordinate, unrounded (mouse positions may fall between pixels).
double twipsFromPixels(double pixels);

} // namespace toolkit
