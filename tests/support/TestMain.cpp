// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/QtStrings.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs on Qt's offscreen platform unless told otherwise, with the style the
// window is measured in and Qt's strings in German, as the program has them.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::useGermanQtStrings();
    return RUN_ALL_TESTS();
}
