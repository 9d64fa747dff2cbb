// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/QtStrings.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

// Every test program runs on Qt's offscreen platform unless told otherwise, with the style the
// window is measured in and Qt's strings in German, as the program has them.
int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Wine hands no variable named QT_* on to a Windows program: the tests' Wine wrapper gives
    // each as QUORVEL_QT_* as well.
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (name.startsWith(QLatin1String("QUORVEL_QT_")))
            qputenv(name.mid(8).toLocal8Bit(), environment.value(name).toLocal8Bit());
    }
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::useGermanQtStrings();
    return RUN_ALL_TESTS();
}
