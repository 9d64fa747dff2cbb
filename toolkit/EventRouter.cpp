// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/EventRouter.h"

#include "toolkit/Arithmetic.h"
#include "toolkit/Form.h"
#include "toolkit/Twips.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace toolkit {

namespace {

struct QtEventBinding
{
    QEvent::Type qtEvent;
    Event event;
    bool mouse;
};

// The Qt events that become events of the controls. A double click arrives as a press followed by
// the double-click event; the press alone counts.
constexpr QtEventBinding kEventTable[] = {
    {QEvent::MouseButtonPress, Event::MouseDown, true}, {QEvent::MouseMove, Event::MouseMove, true},
    {QEvent::MouseButtonRelease, Event::MouseUp, true}, {QEvent::Resize, Event::Resize, false},
    {QEvent::WindowStateChange, Event::Resize, false},
};

const QtEventBinding *bindingFor(QEvent::Type type)
{
    for (const QtEventBinding &binding : kEventTable) {
        if (binding.qtEvent == type)
            return &binding;
    }
    return nullptr;
}

std::int16_t buttonBits(Qt::MouseButtons buttons)
{
    std::int16_t bits = 0;
    if (buttons & Qt::LeftButton)
        bits |= kLeftButton;
    if (buttons & Qt::RightButton)
        bits |= kRightButton;
    if (buttons & Qt::MiddleButton)
        bits |= kMiddleButton;
    return bits;
}

std::int16_t shiftBits(Qt::KeyboardModifiers modifiers)
{
    std::int16_t bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= 1;
    if (modifiers & Qt::ControlModifier)
        bits |= 2;
    if (modifiers & Qt::AltModifier)
        bits |= 4;
    return bits;
}

} // namespace

EventRouter::EventRouter(Form &form, QWidget *window)
    : m_form(form)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

EventRouter::~EventRouter()
{
    qApp->removeEventFilter(this);
}

void EventRouter::addControl(QWidget *widget, Control *control)
{
    m_controls.insert(widget, control);
    // Each mouse event belongs to the one control that received it, never also to its container.
    widget->setAttribute(Qt::WA_NoMousePropagation);
}

bool EventRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu)
        return m_pressWithheld &&
               static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Mouse;
    const QtEventBinding *binding = bindingFor(event->type());
    if (!binding || !m_window)
        return false;
    if (binding->mouse) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        bool withheld = false;
        if (watched->isWidgetType())
            withheld = routeMouse(static_cast<QWidget *>(watched), mouse, binding->event);
        else if (watched == m_window->windowHandle())
            withheld = routeToHiddenPressedControl(mouse, binding->event);
        if (binding->event == Event::MouseDown)
            m_pressWithheld = withheld;
        return withheld;
    }
    if (watched == m_window)
        m_form.dispatch(m_form, binding->event, {});
    return false;
}

Control *EventRouter::controlOf(QWidget *widget) const
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (Control *control = m_controls.value(w))
            return control;
        if (w == m_window)
            return &m_form;
    }
    return nullptr;
}

bool EventRouter::routeToHiddenPressedControl(QMouseEvent *event, Event kind)
{
    // While the pressed control is visible Qt's own grab brings it the events, which then pass
    // through routeMouse. Once it is hidden Qt sends them to no widget at all.
    if (!m_pressed || m_pressed->widget()->isVisible() || kind == Event::MouseDown)
        return false;
    if (kind == Event::MouseMove && event->buttons() == Qt::NoButton) {
        m_pressed = nullptr;
        return false;
    }
    deliver(*m_pressed, m_window, event, kind);
    return true;
}

bool EventRouter::routeMouse(QWidget *receiver, QMouseEvent *event, Event kind)
{
    if (receiver->window() != m_window)
        return false;
    // A move with no button held, or a press of the only button held, means that the release of
    // the last press was lost (it went to a modal box, say): that capture is over.
    if ((kind == Event::MouseMove && event->buttons() == Qt::NoButton) ||
        (kind == Event::MouseDown && event->buttons() == event->button()))
        m_pressed = nullptr;

    Control *const receiving = controlOf(receiver);
    Control *const target = m_pressed ? m_pressed : receiving;
    // A disabled control takes no mouse input, and its press captures nothing.
    if (!target || (!m_pressed && !target->widget()->isEnabled()))
        return false;
    if (kind == Event::MouseDown)
        m_pressed = target;

    const QPointer<QWidget> guard(receiver);
    deliver(*target, receiver, event, kind);
    // The widget that got the event does not see it when it was meant for another control, or
    // when the handler hid its own control or ended the program.
    return target != receiving || !guard || !guard->isVisible() || m_form.hasEnded();
}

void EventRouter::deliver(Control &target, const QWidget *receiver, QMouseEvent *event, Event kind)
{
    if (kind == Event::MouseUp && event->buttons() == Qt::NoButton)
        m_pressed = nullptr;

    EventArgs args;
    args.button = buttonBits(kind == Event::MouseMove ? event->buttons() : event->button());
    args.shift = shiftBits(event->modifiers());
    // The event's own position, unrounded, moved from the receiver's corner to the target's.
    const QPoint offset = target.widget()->mapFromGlobal(receiver->mapToGlobal(QPoint(0, 0)));
    const QPointF local = event->position() + QPointF(offset);
    try {
        args.x = single(twipsFromPixels(local.x()));
        args.y = single(twipsFromPixels(local.y()));
    } catch (const RuntimeError &error) {
        // Coordinates beyond what a Single holds reach no handler; the user is told.
        m_form.showError(error);
        return;
    }
    m_form.dispatch(target, kind, args);
}

} // namespace toolkit
