// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/toolkit/ProbeWindow.h"

#include <QTest>

namespace probe {

ProbeWindow::ProbeWindow(bool show)
    : form(std::make_unique<toolkit::Form>(kWindow, kControls))
{
    observe(*form, log);
    if (show) {
        form->show();
        if (!QTest::qWaitForWindowExposed(form->widget()))
            qFatal("the probe window was not exposed");
    }
}

} // namespace probe
