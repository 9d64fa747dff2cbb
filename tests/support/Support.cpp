// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/Support.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>

void observe(toolkit::Form &form, RuntimeLog &log)
{
    form.setBeepHandler([&log] { ++log.beeps; });
    form.setEndHandler([&log] { ++log.ends; });
    form.setErrorPresenter(
        [&log](const toolkit::RuntimeError &error) { log.errors.push_back(error.number()); });
}

LoadedWindow::LoadedWindow(bool load)
    : form(std::make_unique<MForm>())
{
    observe(*form, log);
    if (load) {
        form->load();
        if (!QTest::qWaitForWindowExposed(form->widget()))
            qFatal("the window was not exposed");
    }
}

QWindow *windowOf(const toolkit::Form &form)
{
    return form.widget()->windowHandle();
}

QPoint inWindow(const toolkit::Control &control, QPoint local)
{
    return control.widget()->mapTo(control.widget()->window(), local);
}

QPoint centreInWindow(const toolkit::Control &control)
{
    return inWindow(control, control.widget()->rect().center());
}

void clickTab(const MForm &form, int tab)
{
    const auto *tabs = form.control("TS").widget()->findChild<QTabBar *>();
    QTest::mouseClick(windowOf(form), Qt::LeftButton, {},
                      tabs->mapTo(form.widget(), tabs->tabRect(tab).center()));
}

void drag(QWindow *window, QPoint from, std::initializer_list<QPoint> steps, Qt::MouseButtons buttons)
{
    const Qt::MouseButton each[] = {Qt::LeftButton, Qt::RightButton};
    QTest::mouseMove(window, from);
    for (Qt::MouseButton button : each)
        if (buttons & button)
            QTest::mousePress(window, button, {}, from);
    QPoint at = from;
    for (QPoint step : steps)
        QTest::mouseMove(window, at = from + step);
    for (Qt::MouseButton button : each)
        if (buttons & button)
            QTest::mouseRelease(window, button, {}, at);
}

void resizeInner(toolkit::Form &form, int width, int height)
{
    form.widget()->resize(width, height);
    QApplication::processEvents();
}
