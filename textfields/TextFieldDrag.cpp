// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textfields/TextFieldDrag.h"

#include "toolkit/Arithmetic.h"

using toolkit::single;

namespace {

bool dragsFields(const ViewState &state, std::int16_t Button)
{
    return state.WorkMode == 1 && (Button & toolkit::kLeftButton);
}

} // namespace

void TB_MouseDown(toolkit::Form &MForm, ViewState &state, std::int16_t Index, std::int16_t Button,
                  std::int16_t, float X, float Y)
{
    if (!dragsFields(state, Button))
        return;
    toolkit::TextBox &field = MForm.textBox("tb", Index);
    toolkit::TextBox &proxy = MForm.textBox("TBshadow");
    state.DragDownX = X;
    state.DragDownY = Y;
    state.DragTbTop = field.top();
    state.DragTbLeft = field.left();
    proxy.setWidth(field.width());
    proxy.setHeight(field.height());
    proxy.setText(field.text());
    // The proxy starts on the field itself, so that a press and release without a move leaves the
    // field where it was instead of sending it to wherever the proxy last stood.
    proxy.move(state.DragTbLeft, state.DragTbTop);
    field.setVisible(false);
    proxy.setVisible(true);
}

void TB_MouseMove(toolkit::Form &MForm, ViewState &state, std::int16_t, std::int16_t Button, std::int16_t,
                  float X, float Y)
{
    if (!dragsFields(state, Button))
        return;
    // X and Y stay relative to the pressed field, which does not move during the drag: the proxy
    // is offset from the field's place by the pointer's travel since the press.
    const float Top = single(static_cast<double>(Y) + state.DragTbTop - state.DragDownY);
    const float Left = single(static_cast<double>(X) + state.DragTbLeft - state.DragDownX);
    MForm.textBox("TBshadow").move(Left, Top);
}

void TB_MouseUp(toolkit::Form &MForm, ViewState &, std::int16_t Index, std::int16_t Button, std::int16_t,
                float, float)
{
    toolkit::TextBox &field = MForm.textBox("tb", Index);
    // A release ends only the drag that an accepted press began, which hid the field: also when
    // the work tab changed from the keyboard while the button was held. A field that was pressed
    // in work mode 2 stays where it is, and a dragged one does not stay hidden for good.
    if (!(Button & toolkit::kLeftButton) || field.visible())
        return;
    toolkit::TextBox &proxy = MForm.textBox("TBshadow");
    proxy.setVisible(false);
    field.setTop(proxy.top());
    field.setLeft(proxy.left());
    field.setVisible(true);
    MForm.beep();
}
