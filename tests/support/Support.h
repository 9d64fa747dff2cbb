// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow/MForm.h"
#include "toolkit/Form.h"

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

// Wait, as QTRY_COMPARE and QTRY_VERIFY do, up to five seconds for the events that make a condition
// true, and end the test when it never becomes true. QTest's own macros report a failure to QTest's
// log, which GoogleTest does not read: the test would return early and pass.
#define QTRY_ASSERT_EQ(actual, expected)                                                                     \
    do {                                                                                                     \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); });                                       \
        ASSERT_EQ(actual, expected);                                                                         \
    } while (false)
#define QTRY_ASSERT_TRUE(condition)                                                                          \
    do {                                                                                                     \
        (void)QTest::qWaitFor([&] { return bool(condition); });                                              \
        ASSERT_TRUE(condition);                                                                              \
    } while (false)

// The number of the runtime error that evaluating raises, or 0 when it raises none.
template<class Evaluate>
int runtimeErrorOf(Evaluate &&evaluate)
{
    try {
        evaluate();
    } catch (const toolkit::RuntimeError &error) {
        return error.number();
    }
    return 0;
}

// What the runtime did instead of reaching the user: beeps, ends and the errors it showed.
struct RuntimeLog
{
    int beeps = 0;
    int ends = 0;
    std::vector<int> errors;
};

// Routes a form's beeps, end and errors into the log.
void observe(toolkit::Form &form, RuntimeLog &log);

// A fresh main window with its runtime observed; loaded (and so shown) unless asked not to.
struct LoadedWindow
{
    explicit LoadedWindow(bool load = true);

    std::unique_ptr<MForm> form;
    RuntimeLog log;
    ViewState &state() { return form->state(); }
};

// The Qt window of a form: mouse events sent to it take Qt's real routing, implicit grab included.
QWindow *windowOf(const toolkit::Form &form);

// A point of a control, given in its own pixels, in its window's coordinates.
QPoint inWindow(const toolkit::Control &control, QPoint local);
QPoint centreInWindow(const toolkit::Control &control);

// Clicks a tab of the window's tab strip: 0 "Bearbeiten", 1 "Anwenden".
void clickTab(const MForm &form, int tab);

// Puts the pointer on a point, presses the buttons there, moves by each step in turn and releases
// where the last step ended.
void drag(QWindow *window, QPoint from, std::initializer_list<QPoint> steps,
          Qt::MouseButtons buttons = Qt::LeftButton);

// Resizes the window to an inner size in pixels, as the window system would, and lets the
// events it causes arrive.
void resizeInner(toolkit::Form &form, int width, int height);
