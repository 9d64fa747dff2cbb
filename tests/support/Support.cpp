// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/Support.h"

#include <QApplication>
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

void resizeInner(toolkit::Form &form, int width, int height)
{
    form.widget()->resize(width, height);
    QApplication::processEvents();
}
