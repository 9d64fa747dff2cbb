// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/CommandButtons.h"

#include "templateview/Module1.h"

#include <iterator>

namespace {

using Action = void (*)(toolkit::Form &, ViewState &);

constexpr Action kActions[] = {
    /* 0 "&Info"  */ [](toolkit::Form &MForm, ViewState &) { MForm.beep(); },
    /* 1 "&Ende"  */ [](toolkit::Form &MForm, ViewState &) { MForm.end(); },
    /* 2 "&Hilfe" */ [](toolkit::Form &MForm, ViewState &) { MForm.beep(); },
    /* 3 "&100%"  */ [](toolkit::Form &MForm, ViewState &) { MForm.slider("ZoomSlider").setValue(100); },
    /* 4 fit      */ [](toolkit::Form &MForm, ViewState &state) { Module1::FitZoom(MForm, state); },
};

} // namespace

void Btn_Click(toolkit::Form &MForm, ViewState &state, std::int16_t Index)
{
    const auto action = static_cast<std::uint16_t>(Index);
    if (action < std::size(kActions))
        kActions[action](MForm, state);
}
