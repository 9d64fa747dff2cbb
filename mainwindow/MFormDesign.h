// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Design.h"

#include <span>

// The main window as designed: its own settings and every control on it.
namespace mform_design {

extern const toolkit::WindowDesign kWindow;
extern const std::span<const toolkit::ControlDesign> kControls;

} // namespace mform_design
