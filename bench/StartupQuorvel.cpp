// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Quorvel's start-up as the executable runs it, ended at the first painted frame.

#include "bench/FirstPaint.h"
#include "mainwindow/MForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));

    MForm window;
    QuitOnFirstPaint quit(window.widget());
    window.load();
    return QApplication::exec();
}
