// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/QtStrings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace toolkit {

bool useGermanQtStrings()
{
    // Owned by the application, which removes it when it ends.
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QLocale german(QLocale::German, QLocale::Germany);
    // Installed with Qt; built into the program where Qt is linked into it (Windows).
    for (const QString &folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral(":/translations")}) {
        if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}

} // namespace toolkit
