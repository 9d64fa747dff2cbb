// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>

namespace toolkit {

enum class Event : std::uint8_t { Load, Resize, Click, Change, MouseDown, MouseMove, MouseUp };
inline constexpr int kEventCount = 7;

// Mouse buttons as the Button argument carries them: bit 0 left, bit 1 right, bit 2 middle.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

// What an event hands its handler. Index is the control's array index (-1 outside an array);
// Button, Shift, X and Y are set for mouse events, X and Y in twips from the receiving control's
// top-left corner.
struct EventArgs
{
    std::int16_t index = -1;
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
};

using Handler = std::function<void(const EventArgs &)>;

} // namespace toolkit
