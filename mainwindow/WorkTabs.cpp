// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/WorkTabs.h"

void TS_Click(toolkit::Form &MForm, ViewState &state)
{
    const std::int16_t selected = MForm.tabStrip("TS").selectedItemIndex();
    if (selected == 1)
        state.WorkMode = 1;
    else if (selected == 2)
        state.WorkMode = 2;
    for (std::int16_t i = 1; i <= 2; ++i)
        MForm.pictureBox("Layer", i).setEnabled(i == selected);
    // A tab without a layer names no member of the array: the runtime reports that.
    MForm.pictureBox("Layer", selected).zOrder();
}
