// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Control.h"

#include "toolkit/Form.h"
#include "toolkit/RuntimeError.h"
#include "toolkit/Twips.h"
#include "toolkit/widgets/Appearance.h"

#include <QWidget>

#include <cmath>

namespace toolkit {

namespace {

void requirePosition(float value)
{
    if (!std::isfinite(value))
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
}

void requireSize(float value)
{
    if (!std::isfinite(value) || value < 0)
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
}

} // namespace

Control::Control(Form &form, const Identity &identity, QWidget *widget)
    : m_form(&form)
    , m_kind(identity.kind)
    , m_name(identity.name)
    , m_index(identity.index)
    , m_container(identity.container)
    , m_tabIndex(identity.tabIndex)
    , m_widget(widget)
{}

// The widgets belong to the window's widget tree, which the form deletes.
Control::~Control() = default;

void Control::applyDesign(const ControlDesign &design)
{
    m_left = design.left;
    m_top = design.top;
    m_width = design.width;
    m_height = design.height;
    m_backColor = design.backColor;
    m_foreColor = design.foreColor;
    m_caption = design.caption;
    m_symbolFont = design.font.symbol;
    if (!design.font.name.empty() || design.font.size > 0)
        m_widget->setFont(resolveFont(design.font));
    if (!design.accessibleName.empty()) {
        const QString name = QString::fromUtf8(design.accessibleName.data(),
                                               static_cast<qsizetype>(design.accessibleName.size()));
        m_widget->setAccessibleName(name);
        if (QWidget *proxy = m_widget->focusProxy())
            proxy->setAccessibleName(name);
    }
    applyGeometry();
    applyColors();
    showCaption();
    m_widget->setEnabled(design.enabled);
    m_widget->setVisible(design.visible);
}

void Control::setLeft(float left)
{
    requirePosition(left);
    m_left = left;
    applyGeometry();
}

void Control::setTop(float top)
{
    requirePosition(top);
    m_top = top;
    applyGeometry();
}

void Control::setWidth(float width)
{
    requireSize(width);
    m_width = width;
    applyGeometry();
}

void Control::setHeight(float height)
{
    requireSize(height);
    m_height = height;
    applyGeometry();
}

void Control::move(float left, float top)
{
    requirePosition(left);
    requirePosition(top);
    m_left = left;
    m_top = top;
    applyGeometry();
}

void Control::applyGeometry()
{
    m_widget->setGeometry(pixelsFromTwips(m_left), pixelsFromTwips(m_top), pixelsFromTwips(m_width),
                          pixelsFromTwips(m_height));
}

bool Control::visible() const
{
    return !m_widget->isHidden();
}

void Control::setVisible(bool visible)
{
    m_widget->setVisible(visible);
}

bool Control::enabled() const
{
    return !m_widget->testAttribute(Qt::WA_ForceDisabled);
}

void Control::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}

void Control::zOrder()
{
    m_widget->raise();
}

void Control::setBackColor(Color color)
{
    m_backColor = color;
    applyColors();
}

void Control::setForeColor(Color color)
{
    m_foreColor = color;
    applyColors();
}

void Control::applyColors()
{
    if (!m_backColor.isSet() && !m_foreColor.isSet())
        return;
    QPalette palette = m_widget->palette();
    if (m_backColor.isSet()) {
        palette.setColor(QPalette::Window, resolveColor(m_backColor));
        m_widget->setAutoFillBackground(true);
    }
    if (m_foreColor.isSet())
        palette.setColor(QPalette::WindowText, resolveColor(m_foreColor));
    m_widget->setPalette(palette);
}

void Control::setCaption(std::string_view caption)
{
    m_caption = caption;
    showCaption();
}

std::string Control::displayedCaption() const
{
    return displayText(caption(), m_symbolFont).toStdString();
}

void Control::showCaption() {}

void Control::bind(Event event, Handler handler)
{
    m_handlers[static_cast<int>(event)] = std::move(handler);
}

void Control::raise(Event event, EventArgs args)
{
    m_form->dispatch(*this, event, args);
}

} // namespace toolkit
