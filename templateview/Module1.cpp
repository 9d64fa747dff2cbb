// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "templateview/Module1.h"

#include "toolkit/Arithmetic.h"

namespace Module1 {

using toolkit::single;

namespace {

// One axis of the clamp. A picture larger than the viewport keeps its leading edge at or before
// the viewport's origin and its trailing edge at or beyond the viewport's outer extent; one that
// is not larger stands at the origin.
float clampAxis(float requested, float pictureSize, float viewportSize)
{
    if (pictureSize > viewportSize) {
        if (requested > 0)
            return 0;
        if (single(static_cast<double>(requested) + pictureSize) < viewportSize)
            return single(static_cast<double>(viewportSize) - pictureSize);
        return requested;
    }
    return 0;
}

} // namespace

void InitTemplate(toolkit::Form &MForm, ViewState &state)
{
    toolkit::Image &picture = MForm.image("BMPImage");
    picture.setTop(0);
    picture.setLeft(0);
    picture.setStretch(false);
    picture.setPicture(toolkit::LoadPicture());
    // Without stretching the picture control has the picture's natural size; the empty picture
    // leaves it at its design size.
    state.TemplateW = picture.width();
    state.TemplateH = picture.height();
    picture.setStretch(true);
    FitZoom(MForm, state);
}

void PlaceImage(toolkit::Form &MForm, ViewState &state, float &Left, float &Top)
{
    toolkit::Image &picture = MForm.image("BMPImage");
    const toolkit::PictureBox &viewport = MForm.pictureBox("ViewPic");
    Left = clampAxis(Left, picture.width(), viewport.width());
    Top = clampAxis(Top, picture.height(), viewport.height());
    if (Left != state.LastImgLeft) {
        state.LastImgLeft = Left;
        picture.setLeft(Left);
    }
    if (Top != state.LastImgTop) {
        state.LastImgTop = Top;
        picture.setTop(Top);
    }
}

void FitZoom(toolkit::Form &MForm, ViewState &state)
{
    const double percent = toolkit::quotient(MForm.pictureBox("ViewPic").width(), state.TemplateW) * 100.0;
    MForm.slider("ZoomSlider").setValue(toolkit::roundToLong(percent));
}

} // namespace Module1
