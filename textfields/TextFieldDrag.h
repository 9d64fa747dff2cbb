// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

#include <cstdint>

// Moving the text fields tb(Index) in work mode 1: at the press the field hides and the proxy
// TBshadow takes its size, text and place; the proxy follows the pointer; at the release the field
// takes the proxy's place and shows again. Outside work mode 1, and without the left button, a
// press and a move do nothing; a release ends the drag an accepted press began, and nothing else.

void TB_MouseDown(toolkit::Form &MForm, ViewState &state, std::int16_t Index, std::int16_t Button,
                  std::int16_t Shift, float X, float Y);
void TB_MouseMove(toolkit::Form &MForm, ViewState &state, std::int16_t Index, std::int16_t Button,
                  std::int16_t Shift, float X, float Y);
void TB_MouseUp(toolkit::Form &MForm, ViewState &state, std::int16_t Index, std::int16_t Button,
                std::int16_t Shift, float X, float Y);
