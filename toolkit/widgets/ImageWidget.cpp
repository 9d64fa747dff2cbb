// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/ImageWidget.h"

#include "toolkit/widgets/IconRenderer.h"

#include <QPainter>

namespace toolkit {

ImageWidget::ImageWidget(QWidget *parent)
    : QWidget(parent)
{
    // The sheet paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageWidget::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void ImageWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect sheet = rect();
    painter.fillRect(sheet, Qt::white);
    if (!m_picture.isEmpty()) {
        const int side = qMin(sheet.width(), sheet.height());
        const qreal ratio = devicePixelRatioF();
        QImage image = renderIcon(*m_picture.icon(), qRound(side * ratio));
        image.setDevicePixelRatio(ratio);
        painter.drawImage(QRect(sheet.topLeft(), QSize(side, side)), image);
    }
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
}

} // namespace toolkit
