// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace toolkit {

// A window of the toolkit.
class WindowWidget : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// A picture box: a plain area, and a container of other controls.
class PictureBoxWidget : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// Makes the widgets the toolkit draws itself known to assistive technology with their roles: a
// window is a window, a picture box a pane, an image a graphic, a tab strip a grouping around its
// tabs. Qt's own
// controls bring their interfaces with them. Safe to call more than once.
void installAccessibleInterfaces();

} // namespace toolkit
