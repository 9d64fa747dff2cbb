// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the window's icon as the PNG files of the hicolor icon theme, drawn at each size from
// the same drawing as the window's icon:
//   quorvel-icons <directory> <name>   writes <directory>/<size>x<size>/apps/<name>.png

#include "resources/Icons.h"
#include "toolkit/widgets/IconRenderer.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <directory> <name>\n", argv[0]);
        return 2;
    }
    for (int size : {16, 32, 48, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file =
            folder + QLatin1Char('/') + QString::fromLocal8Bit(argv[2]) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !toolkit::renderIcon(icons::Application, size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
