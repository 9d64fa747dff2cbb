// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Color.h"
#include "toolkit/Picture.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace toolkit {

enum class ControlKind : std::uint8_t {
    Window,
    PictureBox,
    Image,
    TextBox,
    CommandButton,
    CheckBox,
    ComboBox,
    Frame,
    Label,
    Slider,
    TabStrip,
};

// A font as a design names it. An empty name is the toolkit's default font; size 0 its default size.
struct FontDesign
{
    std::string_view name{};
    float size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Symbol character set: the caption's characters select symbols of the font.
    bool symbol = false;
};

inline constexpr std::int16_t kNoIndex = -1;
inline constexpr std::int16_t kNoTabIndex = -1;

// One control of a window as designed. Positions and sizes are twips in the container's inner area.
struct ControlDesign
{
    ControlKind kind = ControlKind::PictureBox;
    std::string_view name{};
    std::int16_t index = kNoIndex;
    std::string_view container{};
    std::int16_t containerIndex = kNoIndex;
    // Caption, or the text of a text box.
    std::string_view caption{};
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    // Focus order; controls that take no focus have none.
    std::int16_t tabIndex = kNoTabIndex;
    // Place in its container's front-to-back order, 0 in front.
    std::int16_t zOrder = 0;
    bool enabled = true;
    bool visible = true;
    Color backColor{};
    Color foreColor{};
    FontDesign font{};
    const Icon *picture = nullptr;
    // Command button and check box: 1 graphical. Combo box: 2 drop-down list. Image: 1 Stretch.
    std::int16_t style = 0;
    // Name for assistive technology where the control has no caption or text, or where its caption
    // does not say what it does.
    std::string_view accessibleName{};
    // Tab strip: the tabs' captions, in order.
    std::span<const std::string_view> tabs{};
    // Slider.
    std::int32_t min = 0;
    std::int32_t max = 10;
    std::int32_t smallChange = 1;
    std::int32_t largeChange = 5;
    std::int32_t tickFrequency = 1;
    std::int32_t value = 0;
};

enum class StartUpPosition : std::uint8_t { Manual, CenterScreen };

// The window's own settings.
struct WindowDesign
{
    std::string_view name{};
    std::string_view caption{};
    float clientWidth = 0;
    float clientHeight = 0;
    StartUpPosition startUpPosition = StartUpPosition::Manual;
    Color backColor{};
    const Icon *icon = nullptr;
};

} // namespace toolkit
