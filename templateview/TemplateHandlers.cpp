// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "templateview/TemplateHandlers.h"

#include "templateview/Module1.h"
#include "toolkit/Arithmetic.h"

#include <string>

using toolkit::single;

void BMPImage_MouseDown(toolkit::Form &MForm, ViewState &state, std::int16_t, std::int16_t, float X, float Y)
{
    state.PanDownX = X;
    state.PanDownY = Y;
    const toolkit::Image &picture = MForm.image("BMPImage");
    state.PanImgTop = picture.top();
    state.PanImgLeft = picture.left();
}

void BMPImage_MouseMove(toolkit::Form &MForm, ViewState &state, std::int16_t Button, std::int16_t, float X,
                        float Y)
{
    if (!(Button & toolkit::kLeftButton))
        return;
    // X and Y are measured from the picture's corner where it stands now, and it moves during
    // the drag. Adding its current position gives the pointer in the viewport; less the press
    // point there, that is the pointer's travel since the press. The picture's place at the press
    // moved by that travel keeps the pressed point of the template under the pointer.
    const toolkit::Image &picture = MForm.image("BMPImage");
    const double travelY =
        (static_cast<double>(Y) + picture.top()) - (static_cast<double>(state.PanDownY) + state.PanImgTop);
    const double travelX =
        (static_cast<double>(X) + picture.left()) - (static_cast<double>(state.PanDownX) + state.PanImgLeft);
    float Top = single(state.PanImgTop + travelY);
    float Left = single(state.PanImgLeft + travelX);
    Module1::PlaceImage(MForm, state, Left, Top);
}

void ZoomSlider_Change(toolkit::Form &MForm, ViewState &state)
{
    const toolkit::Slider &zoom = MForm.slider("ZoomSlider");
    toolkit::Image &picture = MForm.image("BMPImage");
    std::int32_t percent = zoom.value();
    picture.setWidth(single(static_cast<double>(state.TemplateW) * percent / 100.0));
    percent = zoom.value();
    picture.setHeight(single(static_cast<double>(state.TemplateH) * percent / 100.0));
    MForm.frame("ZoomFrame").setCaption("Ansicht " + std::to_string(zoom.value()) + "%");
    float Left = picture.left();
    float Top = picture.top();
    Module1::PlaceImage(MForm, state, Left, Top);
}
