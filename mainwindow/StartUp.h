// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

// Completes the window before it is first shown: measures the margins around the viewport, lays
// both work layers over the tab strip in the window's colour, captions the window, selects the
// current work tab's layer, sets up the template, fills the font list and shows the window.
void Form_Load(toolkit::Form &MForm, ViewState &state);

// Keeps the window in its normal state at its minimum outer size (4000 x 6000 twips), stretches the
// viewport with the inner size less the margins measured at load, and re-clamps the picture. Does
// nothing while the window is minimised.
void Form_Resize(toolkit::Form &MForm, ViewState &state);
