// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/support/Support.h"
#include "toolkit/Form.h"

#include <QTest>

#include <memory>
#include <string_view>

// A small window of every control kind, for testing the control layer apart from the program.
//
//   W (6000 x 4500 inner)
//     Box  picture box at (150, 300), 4500 x 3600
//       Field  text box at (300, 450), 1500 x 300, "abc"
//       Cmd(0) button "&Los"
//     Zoom  slider 1..200, value 10
//     List  drop-down list
namespace probe {

using toolkit::ControlKind;

// clang-format off
inline const toolkit::ControlDesign kControls[] = {
    {.kind = ControlKind::PictureBox, .name = "Box", .container = "W", .left = 150, .top = 300, .width = 4500,
     .height = 3600, .backColor = toolkit::Color::rgb(255, 255, 192)},
    {.kind = ControlKind::TextBox, .name = "Field", .container = "Box", .caption = "abc", .left = 300, .top = 450,
     .width = 1500, .height = 300, .tabIndex = 3},
    {.kind = ControlKind::CommandButton, .name = "Cmd", .index = 0, .container = "Box", .caption = "&Los",
     .left = 300, .top = 3000, .width = 900, .height = 375, .tabIndex = 1},
    {.kind = ControlKind::Slider, .name = "Zoom", .container = "W", .left = 4800, .top = 300, .width = 1155,
     .height = 270, .tabIndex = 4, .min = 1, .max = 200, .value = 10},
    {.kind = ControlKind::ComboBox, .name = "List", .container = "W", .left = 4800, .top = 900, .width = 1155,
     .height = 315, .tabIndex = 5, .style = 2},
};
// clang-format on

inline const toolkit::WindowDesign kWindow{
    .name = "W", .caption = "Probe", .clientWidth = 6000, .clientHeight = 4500};

// A probe window with its runtime observed; shown unless asked not to.
struct ProbeWindow
{
    explicit ProbeWindow(bool show = true)
        : form(std::make_unique<toolkit::Form>(kWindow, kControls))
    {
        observe(*form, log);
        if (!show)
            return;
        form->show();
        if (!QTest::qWaitForWindowExposed(form->widget()))
            qFatal("the probe window was not exposed");
    }

    std::unique_ptr<toolkit::Form> form;
    RuntimeLog log;
};

} // namespace probe
