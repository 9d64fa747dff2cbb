// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/toolkit/ProbeWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace toolkit;
using probe::ProbeWindow;

TEST(EventRoutingTest, TheEventBoundaryShowsErrorsAndEnds)
{
    ProbeWindow probe;
    probe.form->setErrorPresenter(nullptr);
    std::vector<int> handled;
    probe.form->bind("Cmd", Event::Click, [&](const EventArgs &) {
        handled.push_back(1);
        if (handled.size() == 1)
            throw RuntimeError(ErrorCode::DivisionByZero);
        if (handled.size() == 2)
            probe.form->end();
        handled.push_back(2);
    });
    QWindow *window = windowOf(*probe.form);
    const QPoint button = centreInWindow(probe.form->control("Cmd", 0));
    QTest::mouseClick(window, Qt::LeftButton, {}, button);
    QMessageBox *box = nullptr;
    QTRY_ASSERT_TRUE((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) != nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Laufzeitfehler '11':\n\nDivision durch Null"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Probe"));
    box->accept();
    QTRY_ASSERT_TRUE(QApplication::activeModalWidget() == nullptr);

    // The second click ends the program; an event still queued then reaches no handler.
    QTest::mouseClick(window, Qt::LeftButton, {}, button);
    probe.form->dispatch(probe.form->control("Cmd", 0), Event::Click, {});
    EXPECT_EQ(handled, (std::vector<int>{1, 1}));
    EXPECT_EQ(probe.log.ends, 1);
}

TEST(EventRoutingTest, CoordinatesBeyondASingleRaiseTheFloatingPointErrorInstead)
{
    ProbeWindow probe;
    Control &field = probe.form->control("Field");
    int presses = 0;
    field.bind(Event::MouseDown, [&](const EventArgs &) { ++presses; });
    const double infinity = std::numeric_limits<double>::infinity();
    for (const QPointF bad : {QPointF(infinity, 0), QPointF(0, std::nan("")), QPointF(1e38, 0)}) {
        QMouseEvent press(QEvent::MouseButtonPress, bad, bad, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field.widget(), &press);
    }
    EXPECT_EQ(probe.log.errors, (std::vector<int>{6, 5, 6}));
    EXPECT_EQ(presses, 0);
    // An ordinary click is handled afterwards.
    QTest::mouseClick(windowOf(*probe.form), Qt::LeftButton, {}, centreInWindow(field));
    EXPECT_EQ(presses, 1);
}
