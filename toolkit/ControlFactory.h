#pragma once

#include "toolkit/Control.h"

#include <memory>

namespace toolkit {

// Creates the control a design row describes, inside its container, in its design state.
std::unique_ptr<Control> createControl(Form &form, const ControlDesign &design, Control *container);

} // namespace toolkit
