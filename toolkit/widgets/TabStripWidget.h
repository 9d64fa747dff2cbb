// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStylePainter>
#include <QTabBar>
#include <QWidget>

namespace toolkit {

// The tabs of a tab strip, as narrow as their captions allow, so that the designed tabs fit the
// strip without scroll buttons. Reports a press on the tab that is already selected.
class TightTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit TightTabBar(QWidget *parent);

Q_SIGNALS:
    void selectedTabClicked();

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void mousePressEvent(QMouseEvent *event) override;
    // The style's tab shapes with labels centred in them: the style's own labels keep a padding
    // that the narrow tabs do not have.
    void paintEvent(QPaintEvent *event) override;

private:
    void paintTab(QStylePainter &painter, int index) const;
};

// A tab strip: its tabs across the top and the page frame below them.
class TabStripWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TabStripWidget(QWidget *parent);

    TightTabBar *tabBar() const { return m_tabBar; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TightTabBar *m_tabBar;
};

} // namespace toolkit
