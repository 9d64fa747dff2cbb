// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/EventRouter.h"
#include "toolkit/Form.h"
#include "toolkit/WindowGeometry.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace toolkit {

// What a form keeps, for the files that make up the form.
struct Form::Private
{
    // The window's widget; every control's widget lies in its tree.
    std::unique_ptr<QWidget> window;
    std::vector<std::unique_ptr<Control>> controls;
    std::unique_ptr<EventRouter> router;
    std::unique_ptr<WindowGeometry> geometry;
    std::function<void()> beep;
    std::function<void()> end;
    std::function<void(const RuntimeError &)> presentError;
    QPointer<QMessageBox> errorBox;
    StartUpPosition startUpPosition = StartUpPosition::Manual;
    bool shown = false;
    bool ended = false;
    bool destroying = false;
    // How deep the window's own Resize handler runs, nested runs included.
    int resizeDepth = 0;
};

} // namespace toolkit
