// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace toolkit {

// Makes Qt's own strings German like the rest of the program: the buttons of message boxes, the
// names assistive technology reads for Qt's own parts of controls, context menus. They come from
// Qt's translations folder (qtbase_de); false where they are not installed. Runs before the first
// window is made, since controls take their strings when they are made.
bool useGermanQtStrings();

} // namespace toolkit
