// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <string_view>

namespace toolkit {

// One image of an icon, drawn as vectors on a square grid of gridSize units in the sixteen
// colours of the standard VGA palette, so that it is as sharp at any pixel ratio as at 1.
//
// The drawing is a list of commands separated by ';'. Colours are a hexadecimal digit
// (0 black, 1 maroon, 2 green, 3 olive, 4 navy, 5 purple, 6 teal, 7 silver, 8 grey, 9 red,
// a lime, b yellow, c blue, d fuchsia, e aqua, f white) or '-' for none:
//   rect <fill> <line> x y w h
//   oval <fill> <line> x y w h
//   poly <fill> <line> x1 y1 x2 y2 ...     closed polygon
//   line <line> x1 y1 x2 y2 ...            open polyline
struct IconImage
{
    int gridSize;
    std::string_view drawing;
};

// An icon of one or more images of different sizes; each size is drawn from its own image.
struct Icon
{
    std::span<const IconImage> images;
};

// A picture a control shows: empty, or an icon.
class Picture
{
public:
    Picture() = default;
    explicit Picture(const Icon *icon)
        : m_icon(icon)
    {}

    bool isEmpty() const { return m_icon == nullptr || m_icon->images.empty(); }
    const Icon *icon() const { return m_icon; }
    // The natural size in twips: that of the largest image, a grid unit being one pixel.
    float naturalWidth() const;
    float naturalHeight() const { return naturalWidth(); }

private:
    const Icon *m_icon = nullptr;
};

// LoadPicture without a file name: the empty picture.
inline Picture LoadPicture()
{
    return Picture();
}

} // namespace toolkit
