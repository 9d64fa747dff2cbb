// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace toolkit {

// The scale factors of the environment, QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS, which Qt
// takes as they stand: at a factor of 1000 or of 0.0001 no window can be shown, and Qt shows none.
// Each factor that is no number, or lies outside 0.25 to 8, counts as 1 instead, as if it had not
// been given. Runs before the application object is made, which reads them.
void keepScaleFactorsUsable();

// The factors of QT_SCREEN_SCALE_FACTORS ("name=factor;..." or "factor;..." for the screens in
// order), each that cannot be used given as 1, in its place.
std::string usableScreenScaleFactors(std::string_view factors);

} // namespace toolkit
