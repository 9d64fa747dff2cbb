// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of a form, found by name and Index, and the binding of handlers to them.

#include "toolkit/FormPrivate.h"

namespace toolkit {

Control &Form::control(std::string_view name, std::int16_t index) const
{
    if (name == this->name() && index == kNoIndex)
        return const_cast<Form &>(*this);
    for (const auto &control : d->controls) {
        if (control->index() == index && control->name() == name)
            return *control;
    }
    throw RuntimeError(ErrorCode::ControlArrayElementMissing);
}

template<class Kind>
Kind &Form::typed(std::string_view name, std::int16_t index) const
{
    if (auto *control = dynamic_cast<Kind *>(&this->control(name, index)))
        return *control;
    throw RuntimeError(ErrorCode::TypeMismatch);
}

PictureBox &Form::pictureBox(std::string_view name, std::int16_t index) const
{
    return typed<PictureBox>(name, index);
}

Image &Form::image(std::string_view name, std::int16_t index) const
{
    return typed<Image>(name, index);
}

TextBox &Form::textBox(std::string_view name, std::int16_t index) const
{
    return typed<TextBox>(name, index);
}

CommandButton &Form::commandButton(std::string_view name, std::int16_t index) const
{
    return typed<CommandButton>(name, index);
}

CheckBox &Form::checkBox(std::string_view name, std::int16_t index) const
{
    return typed<CheckBox>(name, index);
}

ComboBox &Form::comboBox(std::string_view name, std::int16_t index) const
{
    return typed<ComboBox>(name, index);
}

Frame &Form::frame(std::string_view name, std::int16_t index) const
{
    return typed<Frame>(name, index);
}

Label &Form::label(std::string_view name, std::int16_t index) const
{
    return typed<Label>(name, index);
}

Slider &Form::slider(std::string_view name, std::int16_t index) const
{
    return typed<Slider>(name, index);
}

TabStrip &Form::tabStrip(std::string_view name, std::int16_t index) const
{
    return typed<TabStrip>(name, index);
}

std::vector<Control *> Form::controls() const
{
    std::vector<Control *> all;
    for (const auto &control : d->controls)
        all.push_back(control.get());
    return all;
}

void Form::bind(std::string_view name, Event event, const Handler &handler)
{
    if (name == this->name()) {
        Control::bind(event, handler);
        return;
    }
    bool bound = false;
    for (const auto &control : d->controls) {
        if (control->name() == name) {
            control->bind(event, handler);
            bound = true;
        }
    }
    if (!bound)
        throw RuntimeError(ErrorCode::ControlArrayElementMissing);
}

} // namespace toolkit
