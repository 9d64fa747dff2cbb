// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Picture.h"

#include <QWidget>

namespace toolkit {

// Shows an image control. Without a picture it is a blank white sheet with a thin dark border, so
// that the user sees the area a drag moves.
class ImageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ImageWidget(QWidget *parent);

    void setPicture(const Picture &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};

} // namespace toolkit
