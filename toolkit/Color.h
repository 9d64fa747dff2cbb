// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace toolkit {

// The platform colours a control can name instead of a fixed one.
enum class SystemColor : std::uint8_t {
    MenuBackground = 4,
    WindowText = 8,
};

// A colour as the controls store it: a fixed red, green, blue or one of the platform's system
// colours, which the toolkit resolves when it draws. Assigning one control's BackColor to another
// carries the system colour itself, not its current shade.
class Color
{
public:
    constexpr Color() = default;

    static constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        return Color(Kind::Rgb, static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
                                    static_cast<std::uint32_t>(blue) << 16);
    }
    static constexpr Color system(SystemColor which)
    {
        return Color(Kind::System, static_cast<std::uint32_t>(which));
    }

    constexpr bool isSet() const { return m_kind != Kind::Unset; }
    constexpr bool isSystem() const { return m_kind == Kind::System; }
    constexpr SystemColor systemColor() const { return static_cast<SystemColor>(m_value); }
    constexpr std::uint8_t red() const { return m_value & 0xff; }
    constexpr std::uint8_t green() const { return (m_value >> 8) & 0xff; }
    constexpr std::uint8_t blue() const { return (m_value >> 16) & 0xff; }

    friend constexpr bool operator==(const Color &, const Color &) = default;

private:
    enum class Kind : std::uint8_t { Unset, Rgb, System };
    constexpr Color(Kind kind, std::uint32_t value)
        : m_kind(kind)
        , m_value(value)
    {}

    Kind m_kind = Kind::Unset;
    std::uint32_t m_value = 0;
};

} // namespace toolkit
