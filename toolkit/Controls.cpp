// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Controls.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/Form.h"
#include "toolkit/RuntimeError.h"
#include "toolkit/widgets/Accessibility.h"
#include "toolkit/widgets/Appearance.h"
#include "toolkit/widgets/IconRenderer.h"
#include "toolkit/widgets/ImageWidget.h"
#include "toolkit/widgets/PictureButton.h"
#include "toolkit/widgets/TabStripWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace toolkit {

namespace {

QString qString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template<class Widget>
Widget *widgetOf(const Control &control)
{
    return static_cast<Widget *>(control.widget());
}

QAbstractButton *makeCheckBox(const ControlDesign &design, QWidget *parent)
{
    if (design.style != 1)
        return new QCheckBox(parent);
    auto *button = new QPushButton(parent);
    button->setCheckable(true);
    return button;
}

} // namespace

PictureBox::PictureBox(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::PictureBox, design.name, design.index, container, design.tabIndex},
              new PictureBoxWidget(container->widget()))
{
    applyDesign(design);
}

Image::Image(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::Image, design.name, design.index, container, design.tabIndex},
              new ImageWidget(container->widget()))
    , m_stretch(design.style != 0)
{
    applyDesign(design);
    if (design.picture)
        setPicture(Picture(design.picture));
}

void Image::setStretch(bool stretch)
{
    m_stretch = stretch;
}

void Image::setPicture(const Picture &picture)
{
    m_picture = picture;
    if (!m_stretch && !picture.isEmpty()) {
        setWidth(picture.naturalWidth());
        setHeight(picture.naturalHeight());
    }
    widgetOf<ImageWidget>(*this)->setPicture(picture);
}

TextBox::TextBox(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::TextBox, design.name, design.index, container, design.tabIndex},
              new QLineEdit(container->widget()))
{
    auto *edit = widgetOf<QLineEdit>(*this);
    // A text box is known to assistive technology by its text.
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [edit](const QString &text) { edit->setAccessibleName(text); });
    applyDesign(design);
}

std::string TextBox::caption() const
{
    return widgetOf<QLineEdit>(*this)->text().toStdString();
}

void TextBox::showCaption()
{
    widgetOf<QLineEdit>(*this)->setText(qString(Control::caption()));
}

CommandButton::CommandButton(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::CommandButton, design.name, design.index, container, design.tabIndex},
              design.style == 1 ? new PictureButton(container->widget())
                                : new QPushButton(container->widget()))
    , m_picture(design.picture)
{
    auto *button = widgetOf<QPushButton>(*this);
    if (design.picture)
        button->setIcon(makeIcon(*design.picture));
    applyDesign(design);
    QObject::connect(button, &QAbstractButton::clicked, button, [this] { raise(Event::Click); });
}

void CommandButton::showCaption()
{
    widgetOf<QPushButton>(*this)->setText(qString(displayedCaption()));
}

CheckBox::CheckBox(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::CheckBox, design.name, design.index, container, design.tabIndex},
              makeCheckBox(design, container->widget()))
{
    applyDesign(design);
}

std::int16_t CheckBox::value() const
{
    return widgetOf<QAbstractButton>(*this)->isChecked() ? 1 : 0;
}

void CheckBox::showCaption()
{
    widgetOf<QAbstractButton>(*this)->setText(qString(displayedCaption()));
}

ComboBox::ComboBox(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::ComboBox, design.name, design.index, container, design.tabIndex},
              new QComboBox(container->widget()))
{
    applyDesign(design);
}

void ComboBox::addItem(std::string_view item)
{
    auto *list = widgetOf<QComboBox>(*this);
    const bool wasEmpty = list->count() == 0;
    list->addItem(qString(item));
    // Qt selects the first entry of an empty list by itself; here nothing is selected until the
    // program sets ListIndex.
    if (wasEmpty)
        list->setCurrentIndex(-1);
}

int ComboBox::listCount() const
{
    return widgetOf<QComboBox>(*this)->count();
}

std::string ComboBox::list(int position) const
{
    return widgetOf<QComboBox>(*this)->itemText(position).toStdString();
}

std::int16_t ComboBox::listIndex() const
{
    return static_cast<std::int16_t>(widgetOf<QComboBox>(*this)->currentIndex());
}

void ComboBox::setListIndex(std::int16_t position)
{
    if (position < -1 || position >= listCount())
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    widgetOf<QComboBox>(*this)->setCurrentIndex(position);
}

Frame::Frame(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::Frame, design.name, design.index, container, design.tabIndex},
              new QGroupBox(container->widget()))
{
    applyDesign(design);
}

void Frame::showCaption()
{
    widgetOf<QGroupBox>(*this)->setTitle(qString(displayedCaption()));
}

Label::Label(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::Label, design.name, design.index, container, design.tabIndex},
              new QLabel(container->widget()))
{
    auto *label = widgetOf<QLabel>(*this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    applyDesign(design);
}

void Label::showCaption()
{
    widgetOf<QLabel>(*this)->setText(qString(displayedCaption()));
}

Slider::Slider(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::Slider, design.name, design.index, container, design.tabIndex},
              new QSlider(Qt::Horizontal, container->widget()))
{
    auto *slider = widgetOf<QSlider>(*this);
    slider->setRange(design.min, design.max);
    slider->setSingleStep(design.smallChange);
    slider->setPageStep(design.largeChange);
    slider->setTickInterval(design.tickFrequency);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(design.value);
    applyDesign(design);
    QObject::connect(slider, &QSlider::valueChanged, slider, [this] { raise(Event::Change); });
}

std::int32_t Slider::value() const
{
    return widgetOf<QSlider>(*this)->value();
}

void Slider::setValue(std::int32_t value)
{
    widgetOf<QSlider>(*this)->setValue(value);
}

std::int32_t Slider::min() const
{
    return widgetOf<QSlider>(*this)->minimum();
}

std::int32_t Slider::max() const
{
    return widgetOf<QSlider>(*this)->maximum();
}

TabStrip::TabStrip(Form &form, const ControlDesign &design, Control *container)
    : Control(form, {ControlKind::TabStrip, design.name, design.index, container, design.tabIndex},
              new TabStripWidget(container->widget()))
{
    TightTabBar *tabs = widgetOf<TabStripWidget>(*this)->tabBar();
    for (std::string_view tab : design.tabs)
        tabs->addTab(qString(tab));
    applyDesign(design);
    QObject::connect(tabs, &QTabBar::currentChanged, tabs, [this] { raise(Event::Click); });
    QObject::connect(tabs, &TightTabBar::selectedTabClicked, tabs, [this] { raise(Event::Click); });
}

std::int16_t TabStrip::selectedItemIndex() const
{
    return static_cast<std::int16_t>(widgetOf<TabStripWidget>(*this)->tabBar()->currentIndex() + 1);
}

std::string TabStrip::tabCaption(int tabIndex) const
{
    return widgetOf<TabStripWidget>(*this)->tabBar()->tabText(tabIndex - 1).toStdString();
}

std::unique_ptr<Control> createControl(Form &form, const ControlDesign &design, Control *container)
{
    switch (design.kind) {
    case ControlKind::PictureBox:
        return std::make_unique<PictureBox>(form, design, container);
    case ControlKind::Image:
        return std::make_unique<Image>(form, design, container);
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(form, design, container);
    case ControlKind::CommandButton:
        return std::make_unique<CommandButton>(form, design, container);
    case ControlKind::CheckBox:
        return std::make_unique<CheckBox>(form, design, container);
    case ControlKind::ComboBox:
        return std::make_unique<ComboBox>(form, design, container);
    case ControlKind::Frame:
        return std::make_unique<Frame>(form, design, container);
    case ControlKind::Label:
        return std::make_unique<Label>(form, design, container);
    case ControlKind::Slider:
        return std::make_unique<Slider>(form, design, container);
    case ControlKind::TabStrip:
        return std::make_unique<TabStrip>(form, design, container);
    case ControlKind::Window:
        break;
    }
    throw RuntimeError(ErrorCode::TypeMismatch);
}

} // namespace toolkit
