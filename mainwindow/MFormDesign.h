#pragma once

#include "toolkit/Design.h"

#include <span>

// The main window as designed: its own settings and every control on it.
namespace mform_design {

extern const toolkit::WindowDesign kWindow;
extern const std::span<const toolkit::ControlDesign> kControls;

} // namespace mform_design
