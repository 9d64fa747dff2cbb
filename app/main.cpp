// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MForm.h"
#include "toolkit/QtStrings.h"
#include "toolkit/ScaleFactors.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    toolkit::keepScaleFactorsUsable();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // The desktop entry's name, which is also the window's app id on Wayland.
    QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    toolkit::useGermanQtStrings();

    MForm window;
    window.load();
    if (window.hasEnded())
        return 0;
    return QApplication::exec();
}
