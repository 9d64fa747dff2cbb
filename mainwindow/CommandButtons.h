// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

#include <cstdint>

// The click handler of every command button: "&Info" and "&Hilfe" beep, "&Ende" ends the program,
// "&100%" sets the zoom to 100 and the fit button fits it to the viewport. Buttons 5 to 10 have no
// action yet. Index is taken as unsigned, so a negative one names no action.
void Btn_Click(toolkit::Form &MForm, ViewState &state, std::int16_t Index);
