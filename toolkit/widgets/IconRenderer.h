// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Picture.h"

#include <QIcon>
#include <QImage>

namespace toolkit {

// Draws an icon image into a square of `pixels` device pixels, from the smallest of its images
// that is at least that large (or the largest). Drawn without antialiasing, in palette colours
// only, so the result has at most the icon's sixteen colours and stays sharp at any size.
QImage renderIcon(const Icon &icon, int pixels);

// A QIcon that draws the icon afresh at every size and pixel ratio it is asked for.
QIcon makeIcon(const Icon &icon);

} // namespace toolkit
