// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/StartUp.h"

#include "mainwindow/WorkTabs.h"
#include "templateview/Module1.h"
#include "toolkit/Arithmetic.h"

#include <algorithm>

using toolkit::single;

namespace {

constexpr float kMinimumWidth = 4000;
constexpr float kMinimumHeight = 6000;
// Where the work layers lie over the tab strip, from its top-left corner.
constexpr float kLayerOffsetDown = 520;
constexpr float kLayerOffsetRight = 60;
constexpr std::int16_t kNormal = 0;
constexpr std::int16_t kMinimised = 1;

} // namespace

void Form_Load(toolkit::Form &MForm, ViewState &state)
{
    toolkit::PictureBox &viewport = MForm.pictureBox("ViewPic");

    // The margins are stored first and tested afterwards: a failed one keeps its failed value.
    const float viewportWidth = viewport.width();
    const double marginWidth = static_cast<double>(MForm.scaleWidth()) - viewportWidth;
    state.ViewMarginW = toolkit::storedSingle(marginWidth);
    single(marginWidth);
    const float viewportHeight = viewport.height();
    const double marginHeight = static_cast<double>(MForm.scaleHeight()) - viewportHeight;
    state.ViewMarginH = toolkit::storedSingle(marginHeight);
    single(marginHeight);

    const toolkit::TabStrip &tabs = MForm.tabStrip("TS");
    for (std::int16_t i = 1; i <= 2; ++i) {
        toolkit::PictureBox &layer = MForm.pictureBox("Layer", i);
        layer.setBackColor(MForm.backColor());
        layer.setTop(single(static_cast<double>(tabs.top()) + kLayerOffsetDown));
        layer.setLeft(single(static_cast<double>(tabs.left()) + kLayerOffsetRight));
    }

    MForm.setCaption("Quorvel");
    TS_Click(MForm, state);
    Module1::InitTemplate(MForm, state);

    toolkit::ComboBox &fonts = MForm.comboBox("FontList");
    fonts.addItem("Arial");
    fonts.setListIndex(0);

    MForm.show();
}

void Form_Resize(toolkit::Form &MForm, ViewState &state)
{
    const std::int16_t windowState = MForm.windowState();
    if (windowState == kMinimised)
        return;
    // The least size holds for a window in its normal state. A maximised or full-screen window has
    // the size of its screen, which may be smaller, and refuses every write of its size.
    if (windowState == kNormal) {
        // Either write may resize the window at once and run this handler inside itself; every
        // run reads the sizes afresh, so both leave the viewport matching the final size.
        if (MForm.width() < kMinimumWidth)
            MForm.setWidth(kMinimumWidth);
        if (MForm.height() < kMinimumHeight)
            MForm.setHeight(kMinimumHeight);
    }

    // A window the window manager keeps smaller than its least size (on a screen smaller than
    // that) can leave less than the margins: the viewport then has no size left.
    toolkit::PictureBox &viewport = MForm.pictureBox("ViewPic");
    viewport.setWidth(std::max(0.0f, single(static_cast<double>(MForm.scaleWidth()) - state.ViewMarginW)));
    viewport.setHeight(std::max(0.0f, single(static_cast<double>(MForm.scaleHeight()) - state.ViewMarginH)));

    const toolkit::Image &picture = MForm.image("BMPImage");
    float Left = picture.left();
    float Top = picture.top();
    Module1::PlaceImage(MForm, state, Left, Top);
}
