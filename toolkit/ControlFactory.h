// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Control.h"

#include <memory>

namespace toolkit {

// Creates the control a design row describes, inside its container, in its design state.
std::unique_ptr<Control> createControl(Form &form, const ControlDesign &design, Control *container);

} // namespace toolkit
