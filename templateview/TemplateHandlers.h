// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

#include <cstdint>

// The template picture's mouse handlers, which pan it, and the zoom slider's change handler.

// Records the press point on the picture and the picture's position, for any button.
void BMPImage_MouseDown(toolkit::Form &MForm, ViewState &state, std::int16_t Button, std::int16_t Shift,
                        float X, float Y);

// With the left button held: moves the picture from its place at the last press by the pointer's
// travel since that press, through the clamp, so that the pressed point stays under the pointer.
void BMPImage_MouseMove(toolkit::Form &MForm, ViewState &state, std::int16_t Button, std::int16_t Shift,
                        float X, float Y);

// Scales the picture to the slider's percentage of the template's natural size, shows the
// percentage in the zoom frame's caption and re-clamps the picture where it stands.
void ZoomSlider_Change(toolkit::Form &MForm, ViewState &state);
