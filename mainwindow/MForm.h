// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

// The program's one window: the designed controls, the view state its handlers share, and the
// bindings of its events to those handlers. Creating it creates the window in its design state;
// load() then runs Form_Load, which completes and shows it.
class MForm : public toolkit::Form
{
public:
    MForm();

    ViewState &state() { return m_state; }
    const ViewState &state() const { return m_state; }

private:
    ViewState m_state;
};
