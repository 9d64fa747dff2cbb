// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/toolkit/ProbeWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace toolkit;
using probe::ProbeWindow;

namespace {

struct Received
{
    Event event;
    EventArgs args;
};

// Records every mouse event of a control.
void record(Control &control, std::vector<Received> &into)
{
    for (Event event : {Event::MouseDown, Event::MouseMove, Event::MouseUp})
        control.bind(event, [&into, event](const EventArgs &args) { into.push_back({event, args}); });
}

float twips(int pixels)
{
    return static_cast<float>(pixels * 15);
}

// Puts the pointer on a point without a button, so that a press there is not preceded by the
// move Qt makes to a new press position, and forgets what that hover reported.
template<class Log>
void hover(QWindow *window, QPoint point, Log &log)
{
    QTest::mouseMove(window, point);
    log.clear();
}

} // namespace

TEST(EventRoutingTest, ThePressedControlKeepsTheMouseWhileHidden)
{
    ProbeWindow probe;
    Control &field = probe.form->control("Field");
    std::vector<Received> received;
    record(field, received);
    field.bind(Event::MouseDown, [&](const EventArgs &args) {
        received.push_back({Event::MouseDown, args});
        field.setVisible(false);
    });

    QWindow *window = windowOf(*probe.form);
    const QPoint press = inWindow(field, {10, 5});
    hover(window, press, received);
    QTest::mousePress(window, Qt::LeftButton, {}, press);
    ASSERT_FALSE(field.widget()->isVisible());
    QTest::mouseMove(window, press + QPoint(30, 12));
    // Far outside the hidden field and the box that held it.
    QTest::mouseMove(window, press + QPoint(-200, 250));
    QTest::mouseRelease(window, Qt::LeftButton, {}, press + QPoint(-200, 250));

    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].event, Event::MouseDown);
    EXPECT_EQ(received[0].args.x, twips(10));
    EXPECT_EQ(received[0].args.y, twips(5));
    EXPECT_EQ(received[1].event, Event::MouseMove);
    EXPECT_EQ(received[1].args.button, kLeftButton);
    EXPECT_EQ(received[1].args.x, twips(40));
    EXPECT_EQ(received[1].args.y, twips(17));
    EXPECT_EQ(received[2].args.x, twips(-190));
    EXPECT_EQ(received[2].args.y, twips(255));
    EXPECT_EQ(received[3].event, Event::MouseUp);
    EXPECT_EQ(received[3].args.button, kLeftButton);
    EXPECT_EQ(received[3].args.x, twips(-190));

    // The capture ended with the release: the next press belongs to the control under the pointer.
    std::vector<Received> picture;
    record(probe.form->control("Pic"), picture);
    field.setVisible(true);
    hover(window, centreInWindow(probe.form->control("Pic")), picture);
    QTest::mouseClick(window, Qt::LeftButton, {}, centreInWindow(probe.form->control("Pic")));
    EXPECT_EQ(received.size(), 4u);
    ASSERT_EQ(picture.size(), 2u);
    EXPECT_EQ(picture[0].event, Event::MouseDown);
    EXPECT_EQ(picture[1].event, Event::MouseUp);
}

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
    QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) != nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Laufzeitfehler '11':\n\nDivision durch Null"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Probe"));
    box->accept();
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);

    QTest::mouseClick(window, Qt::LeftButton, {}, button);
    QTest::mouseClick(window, Qt::LeftButton, {}, button);
    EXPECT_EQ(handled, (std::vector<int>{1, 1}));
    EXPECT_EQ(probe.log.ends, 1);
}

TEST(EventRoutingTest, CoordinatesBeyondASingleRaiseTheFloatingPointErrorInstead)
{
    ProbeWindow probe;
    Control &field = probe.form->control("Field");
    std::vector<Received> received;
    record(field, received);
    const double infinity = std::numeric_limits<double>::infinity();
    const struct
    {
        QPointF position;
        int error;
    } cases[] = {
        {{infinity, 0}, 6},
        {{0, std::numeric_limits<double>::quiet_NaN()}, 5},
        {{1e38, 0}, 6},
    };
    for (const auto &bad : cases) {
        QMouseEvent press(QEvent::MouseButtonPress, bad.position, bad.position, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field.widget(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, bad.position, bad.position, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(field.widget(), &release);
        ASSERT_FALSE(probe.log.errors.empty());
        EXPECT_EQ(probe.log.errors.back(), bad.error);
    }
    EXPECT_TRUE(received.empty());
    // An ordinary click is handled afterwards.
    hover(windowOf(*probe.form), centreInWindow(field), received);
    QTest::mouseClick(windowOf(*probe.form), Qt::LeftButton, {}, centreInWindow(field));
    EXPECT_EQ(received.size(), 2u);
}
