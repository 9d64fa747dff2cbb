// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Events.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QMouseEvent;
class QWidget;

namespace toolkit {

class Control;
class Form;

// Turns the Qt events of one window's widgets into the events of its controls, through one table,
// and keeps the mouse captured by the pressed control: after a press, moves and the release go to
// that control until no button is held, with X and Y relative to it, also while it is hidden.
//
// Qt itself forgets the pressed widget when it is hidden, and then sends the moves and the release
// to no widget at all. As an application-wide event filter the router sees them where they enter
// the window and hands them to the pressed control instead.
//
// A press that went to another control than the widget under the pointer opens no context menu
// there: the widget never saw the press, and the menu, a popup, would take the mouse, and with it
// the release that ends the capture (with Qt 6.8 it does).
class EventRouter : public QObject
{
public:
    EventRouter(Form &form, QWidget *window);
    ~EventRouter() override;

    void addControl(QWidget *widget, Control *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool routeMouse(QWidget *receiver, QMouseEvent *event, Event kind);
    bool routeToHiddenPressedControl(QMouseEvent *event, Event kind);
    void deliver(Control &target, const QWidget *receiver, QMouseEvent *event, Event kind);
    Control *controlOf(QWidget *widget) const;

    Form &m_form;
    QPointer<QWidget> m_window;
    QHash<const QWidget *, Control *> m_controls;
    Control *m_pressed = nullptr;
    // The last press was kept from the widget that Qt sent it to.
    bool m_pressWithheld = false;
};

} // namespace toolkit
