// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/Accessibility.h"

#include "toolkit/widgets/ImageWidget.h"
#include "toolkit/widgets/TabStripWidget.h"

#include <QAccessibleWidget>

namespace toolkit {

namespace {

struct WidgetRole
{
    const QMetaObject *metaObject;
    QAccessible::Role role;
};

// Qt asks the factories for the most derived class first, so these answer before Qt's own
// interface for a plain QWidget would.
const WidgetRole kRoles[] = {
    {&WindowWidget::staticMetaObject, QAccessible::Window},
    {&PictureBoxWidget::staticMetaObject, QAccessible::Pane},
    {&ImageWidget::staticMetaObject, QAccessible::Graphic},
    {&TabStripWidget::staticMetaObject, QAccessible::Grouping},
};

QAccessibleInterface *toolkitWidgetInterface(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    for (const WidgetRole &entry : kRoles) {
        if (className == QLatin1String(entry.metaObject->className()))
            return new QAccessibleWidget(static_cast<QWidget *>(object), entry.role);
    }
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(toolkitWidgetInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace toolkit
