// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

// The procedures of the template view that act on the window's picture, viewport and zoom.
namespace Module1 {

// Brings the template into the view: at the viewport's origin, its natural size measured into
// TemplateW and TemplateH, scaled display switched on and the zoom fitted to the viewport's width.
void InitTemplate(toolkit::Form &MForm, ViewState &state);

// The one way the picture moves: clamps the requested position against the viewport, the
// horizontal axis first, and writes Left and Top only where they differ from what it last wrote.
// On return Left and Top hold the clamped position.
void PlaceImage(toolkit::Form &MForm, ViewState &state, float &Left, float &Top);

// Sets the zoom to the percentage at which the picture is as wide as the viewport.
void FitZoom(toolkit::Form &MForm, ViewState &state);

} // namespace Module1
