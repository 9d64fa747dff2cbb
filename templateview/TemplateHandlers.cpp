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
    // X and Y are measured from the picture's current corner; the press values are those of the
    // press, so the sum is the press position moved by the pointer's travel.
    float Top = single(static_cast<double>(Y) + state.PanImgTop - state.PanDownY);
    float Left = single(static_cast<double>(X) + state.PanImgLeft - state.PanDownX);
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
