// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state/ViewState.h"
#include "toolkit/Form.h"

// Enters the state of the selected work tab: WorkMode is the tab's number, and only that tab's
// layer is enabled and in front. Load runs it once for the tab selected at start.
void TS_Click(toolkit::Form &MForm, ViewState &state);
