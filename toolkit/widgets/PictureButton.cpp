// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/PictureButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace toolkit {

namespace {
constexpr int kTopMargin = 4;
constexpr int kCaptionGap = 1;
constexpr int kSideMargin = 2;
} // namespace

PictureButton::PictureButton(QWidget *parent)
    : QPushButton(parent)
{
    setIconSize(QSize(32, 32));
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    // A pressed button shows its content one pixel down and right, as text buttons do.
    const int shift = isDown() ? 1 : 0;
    const QSize picture = iconSize();
    const QRect pictureRect(QPoint((width() - picture.width()) / 2 + shift, kTopMargin + shift), picture);
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    painter.drawPixmap(pictureRect, icon().pixmap(picture, painter.device()->devicePixelRatioF(), mode));

    const int captionTop = pictureRect.bottom() + 1 + kCaptionGap;
    const QRect captionRect(kSideMargin + shift, captionTop, width() - 2 * kSideMargin,
                            height() - captionTop - kSideMargin + shift);
    int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(captionRect, flags, palette(), isEnabled(), text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace toolkit
