// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resources/Icons.h"

#include <array>

namespace icons {

namespace {

using toolkit::IconImage;

// Colours: 0 black, 1 maroon, 2 green, 3 olive, 4 navy, 5 purple, 6 teal, 7 silver, 8 grey, 9 red,
// a lime, b yellow, c blue, d fuchsia, e aqua, f white; '-' none.

constexpr std::array kApplication = {
    IconImage{32, "poly f 0 4 1 20 1 26 7 26 30 4 30;"
                  "poly 7 0 20 1 20 7 26 7;"
                  "line 4 8 12 18 12; line 4 8 16 22 16; line 4 8 20 22 20; line 4 8 24 16 24;"
                  "poly b 0 21 27 28 12 31 14 24 29;"
                  "poly 9 0 28 12 29 10 31 11 31 14;"
                  "poly 7 0 21 27 24 29 20 31"},
    IconImage{16, "poly f 0 2 0 10 0 13 3 13 15 2 15;"
                  "line 4 4 6 9 6; line 4 4 9 10 9; line 4 4 12 8 12;"
                  "poly b 0 11 13 14 6 15 7 12 14"},
};

constexpr std::array kOpenForm = {
    IconImage{32, "poly 3 0 1 7 10 7 12 10 27 10 27 28 1 28;"
                  "poly f 0 8 3 22 3 22 22 8 22;"
                  "line 4 11 8 19 8; line 4 11 12 19 12; line 4 11 16 17 16;"
                  "poly b 0 6 15 31 15 27 28 1 28"},
    IconImage{16, "poly 3 0 0 3 5 3 6 5 13 5 13 14 0 14;"
                  "rect f 0 4 1 8 9;"
                  "poly b 0 3 8 15 8 13 14 0 14"},
};

constexpr std::array kPrintForm = {
    IconImage{32, "rect f 0 9 2 14 11;"
                  "line 4 11 6 20 6; line 4 11 9 18 9;"
                  "poly 7 0 2 12 29 12 31 15 31 25 0 25 0 15;"
                  "rect 8 - 2 16 28 2;"
                  "rect a 0 25 18 3 2;"
                  "poly f 0 7 21 24 21 26 30 5 30;"
                  "line 4 9 24 21 24; line 4 9 27 18 27"},
};

constexpr std::array kNewForm = {
    IconImage{32, "poly f 0 7 3 21 3 27 9 27 30 7 30;"
                  "poly 7 0 21 3 21 9 27 9;"
                  "line 8 11 15 23 15; line 8 11 19 23 19; line 8 11 23 23 23; line 8 11 27 19 27;"
                  "poly b 0 6 0 8 5 13 6 9 9 10 14 6 11 2 14 3 9 0 6 4 5"},
};

constexpr std::array kNewTextField = {
    IconImage{32, "rect f 0 2 11 28 13;"
                  "rect 7 - 3 22 26 1;"
                  "poly 4 - 6 14 14 14 14 16 11 16 11 21 9 21 9 16 6 16;"
                  "line 0 18 13 18 21; line 0 17 13 19 13; line 0 17 21 19 21;"
                  "poly b 0 25 0 27 4 31 5 28 8 29 12 25 10 21 12 22 8 19 5 23 4"},
};

constexpr std::array kOtherTemplate = {
    IconImage{32, "rect 7 0 13 2 16 20;"
                  "line 8 16 7 26 7; line 8 16 11 26 11; line 8 16 15 24 15;"
                  "rect f 0 3 10 16 20;"
                  "line 4 6 16 16 16; line 4 6 20 16 20; line 4 6 24 14 24;"
                  "poly 2 0 21 21 26 21 26 17 31 23 26 29 26 25 21 25"},
};

} // namespace

const toolkit::Icon Application{kApplication};
const toolkit::Icon OpenForm{kOpenForm};
const toolkit::Icon PrintForm{kPrintForm};
const toolkit::Icon NewForm{kNewForm};
const toolkit::Icon NewTextField{kNewTextField};
const toolkit::Icon OtherTemplate{kOtherTemplate};

} // namespace icons
