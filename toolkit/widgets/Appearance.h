// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Color.h"
#include "toolkit/Design.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string_view>

namespace toolkit {

// The colour a control's colour stands for now: a system colour from the platform's palette.
QColor resolveColor(Color color);

// The installed font a designed font is shown in, at a size at which the designed captions fit
// their controls. The empty name is the toolkit's default font.
QFont resolveFont(const FontDesign &font);

// A caption as it is drawn: in a symbol font each character selects a symbol of that font, which
// is drawn with the Unicode character that looks the same.
QString displayText(std::string_view caption, bool symbolFont);

} // namespace toolkit
