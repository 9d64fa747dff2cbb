// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/TabStripWidget.h"

#include <QMouseEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace toolkit {

namespace {
constexpr int kCaptionPadding = 10;
}

TightTabBar::TightTabBar(QWidget *parent)
    : QTabBar(parent)
{
    setUsesScrollButtons(false);
    setExpanding(false);
    setDrawBase(false);
    setElideMode(Qt::ElideNone);
}

QSize TightTabBar::tabSizeHint(int index) const
{
    const QSize styled = QTabBar::tabSizeHint(index);
    const int captionWidth = fontMetrics().horizontalAdvance(tabText(index));
    return QSize(qMin(styled.width(), captionWidth + kCaptionPadding), styled.height());
}

QSize TightTabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void TightTabBar::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    // The selected tab last, since its shape overlaps its neighbours.
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex())
            paintTab(painter, i);
    }
    if (currentIndex() >= 0)
        paintTab(painter, currentIndex());
}

void TightTabBar::paintTab(QStylePainter &painter, int index) const
{
    QStyleOptionTab tab;
    initStyleOption(&tab, index);
    painter.drawControl(QStyle::CE_TabBarTabShape, tab);
    QRect label = tab.rect;
    // The style raises the selected tab's label by the tab's shift.
    if (!(tab.state & QStyle::State_Selected))
        label.translate(0, style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, &tab, this));
    painter.drawItemText(label, Qt::AlignCenter | Qt::TextShowMnemonic, tab.palette,
                         tab.state & QStyle::State_Enabled, tab.text, QPalette::WindowText);
    if (tab.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(tab);
        focus.rect = label.adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void TightTabBar::mousePressEvent(QMouseEvent *event)
{
    const int before = currentIndex();
    QTabBar::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && before >= 0 && tabAt(event->position().toPoint()) == before)
        Q_EMIT selectedTabClicked();
}

TabStripWidget::TabStripWidget(QWidget *parent)
    : QWidget(parent)
    , m_tabBar(new TightTabBar(this))
{
    setFocusProxy(m_tabBar);
}

void TabStripWidget::resizeEvent(QResizeEvent *)
{
    m_tabBar->setGeometry(0, 0, width(), m_tabBar->sizeHint().height());
}

void TabStripWidget::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int tabsHeight = m_tabBar->sizeHint().height();
    frame.rect = rect().adjusted(0, tabsHeight - 1, 0, 0);
    frame.tabBarSize = m_tabBar->sizeHint();
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarRect = QRect(QPoint(0, 0), m_tabBar->sizeHint());
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

} // namespace toolkit
