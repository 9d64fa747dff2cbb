// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Design.h"
#include "toolkit/Events.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class QWidget;

namespace toolkit {

class Form;

// A control of a window: its properties in twips, its state and its event handlers. Each control
// is shown by one Qt widget, which the toolkit alone touches.
//
// Positions and sizes are stored exactly as written and shown at the nearest pixel. A value the
// control refuses (not finite, or a negative size) raises the runtime's property error.
class Control
{
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    ControlKind kind() const { return m_kind; }
    const std::string &name() const { return m_name; }
    std::int16_t index() const { return m_index; }
    Control *container() const { return m_container; }
    std::int16_t tabIndex() const { return m_tabIndex; }
    Form &form() const { return *m_form; }

    virtual float left() const { return m_left; }
    virtual void setLeft(float left);
    virtual float top() const { return m_top; }
    virtual void setTop(float top);
    virtual float width() const { return m_width; }
    virtual void setWidth(float width);
    virtual float height() const { return m_height; }
    virtual void setHeight(float height);
    // Move with the width and height arguments omitted: the size stays.
    virtual void move(float left, float top);

    // The control's own Visible and Enabled: a control inside a hidden or disabled container
    // keeps its own setting.
    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);
    // ZOrder without argument: in front of its siblings.
    void zOrder();

    Color backColor() const { return m_backColor; }
    void setBackColor(Color color);
    Color foreColor() const { return m_foreColor; }
    void setForeColor(Color color);

    virtual std::string caption() const { return m_caption; }
    virtual void setCaption(std::string_view caption);
    // The caption as drawn: in a symbol font its characters select the font's symbols.
    std::string displayedCaption() const;

    void bind(Event event, Handler handler);
    // Raises the event: its handler runs inside the form's event boundary.
    void raise(Event event, EventArgs args = {});
    const Handler &handler(Event event) const { return m_handlers[static_cast<int>(event)]; }

    // The widget that shows this control. For the toolkit and its tests only.
    QWidget *widget() const { return m_widget; }

protected:
    struct Identity
    {
        ControlKind kind;
        std::string_view name;
        std::int16_t index;
        Control *container;
        std::int16_t tabIndex;
    };
    Control(Form &form, const Identity &identity, QWidget *widget);

    // Applies the design's common settings; kinds call it at the end of their constructor.
    void applyDesign(const ControlDesign &design);
    virtual void applyGeometry();
    virtual void showCaption();
    void applyColors();

private:
    Form *m_form;
    ControlKind m_kind;
    std::string m_name;
    std::int16_t m_index;
    Control *m_container;
    std::int16_t m_tabIndex;
    QWidget *m_widget;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    Color m_backColor;
    Color m_foreColor;
    std::string m_caption;
    bool m_symbolFont = false;
    std::array<Handler, kEventCount> m_handlers;
};

} // namespace toolkit
