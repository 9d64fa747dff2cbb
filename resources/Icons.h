// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Picture.h"

// The program's pictures, drawn in the sixteen VGA colours.
namespace icons {

// The window's icon: a form sheet with a pencil, at 32 and 16 pixels.
extern const toolkit::Icon Application;
// "Formular öffnen": an opened folder with a sheet, at 32 and 16 pixels.
extern const toolkit::Icon OpenForm;
// "Formular drucken": a printer with a printed sheet.
extern const toolkit::Icon PrintForm;
// "Neues Formular": a blank sheet with a star.
extern const toolkit::Icon NewForm;
// "Neues Textfeld": a text field with a cursor and a star.
extern const toolkit::Icon NewTextField;
// "Andere Vorlage": two sheets and an arrow between them.
extern const toolkit::Icon OtherTemplate;

} // namespace icons
