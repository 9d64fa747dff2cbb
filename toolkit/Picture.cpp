// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Picture.h"

#include "toolkit/Twips.h"

#include <algorithm>

namespace toolkit {

float Picture::naturalWidth() const
{
    if (isEmpty())
        return 0;
    int largest = 0;
    for (const IconImage &image : m_icon->images)
        largest = std::max(largest, image.gridSize);
    return static_cast<float>(twipsFromPixels(largest));
}

} // namespace toolkit
