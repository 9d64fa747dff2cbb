// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Control.h"
#include "toolkit/Picture.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// The control kinds a window is designed with. Each is created from its design row by the form.

// A picture box: a plain area in its own colour, also used as a container of other controls.
class PictureBox : public Control
{
public:
    PictureBox(Form &form, const ControlDesign &design, Control *container);
};

// An image: shows a picture. With Stretch False it takes the natural size of a picture assigned to
// it (the empty picture leaves its size); with Stretch True the picture is scaled to its size.
class Image : public Control
{
public:
    Image(Form &form, const ControlDesign &design, Control *container);

    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);

private:
    bool m_stretch = false;
    Picture m_picture;
};

// A single-line text box. Its Text is the caption of the design.
class TextBox : public Control
{
public:
    TextBox(Form &form, const ControlDesign &design, Control *container);

    std::string text() const { return caption(); }
    void setText(std::string_view text) { setCaption(text); }
    std::string caption() const override;

protected:
    void showCaption() override;
};

// A command button; graphical ones (style 1) show their picture above a wrapped caption.
class CommandButton : public Control
{
public:
    CommandButton(Form &form, const ControlDesign &design, Control *container);

    const Picture &picture() const { return m_picture; }

protected:
    void showCaption() override;

private:
    Picture m_picture;
};

// A check box; graphical ones (style 1) are push buttons that stay down while set.
class CheckBox : public Control
{
public:
    CheckBox(Form &form, const ControlDesign &design, Control *container);

    // 0 cleared, 1 set.
    std::int16_t value() const;

protected:
    void showCaption() override;
};

// A drop-down list: the user picks an entry and cannot type.
class ComboBox : public Control
{
public:
    ComboBox(Form &form, const ControlDesign &design, Control *container);

    void addItem(std::string_view item);
    int listCount() const;
    std::string list(int position) const;
    // The selected entry, -1 for none. A value outside -1 to ListCount - 1 is a property error.
    std::int16_t listIndex() const;
    void setListIndex(std::int16_t position);
};

// A frame with a caption; a container.
class Frame : public Control
{
public:
    Frame(Form &form, const ControlDesign &design, Control *container);

protected:
    void showCaption() override;
};

class Label : public Control
{
public:
    Label(Form &form, const ControlDesign &design, Control *container);

protected:
    void showCaption() override;
};

// A horizontal slider. Every change of Value, from the user or from code, raises Change; writing
// the value it already has raises nothing. A value outside Min to Max is put into that range,
// since the slider cannot show any other.
class Slider : public Control
{
public:
    Slider(Form &form, const ControlDesign &design, Control *container);

    std::int32_t value() const;
    void setValue(std::int32_t value);
    std::int32_t min() const;
    std::int32_t max() const;
};

// A tab strip. Click is raised when the user selects a tab, and when the user clicks the tab
// that is already selected.
class TabStrip : public Control
{
public:
    TabStrip(Form &form, const ControlDesign &design, Control *container);

    // SelectedItem.Index: the selected tab, counted from 1.
    std::int16_t selectedItemIndex() const;
    std::string tabCaption(int tabIndex) const;
};

} // namespace toolkit
