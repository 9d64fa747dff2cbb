// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the window's icon, drawn at each size from the same drawing as the window's icon: as the
// PNG files of the hicolor icon theme, or as a Windows icon file for the program's file.
//   quorvel-icons <directory> <name>   writes <directory>/<size>x<size>/apps/<name>.png
//   quorvel-icons --ico <file>         writes <file>, a Windows icon with every size Explorer shows

#include "resources/Icons.h"
#include "toolkit/widgets/IconRenderer.h"

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdio>
#include <vector>

namespace {

int writeThemeIcons(const QString &directory, const QString &name)
{
    for (int size : {16, 32, 48, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(directory).arg(size);
        const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !toolkit::renderIcon(icons::Application, size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

// A Windows icon file: a directory of images, each held as a PNG, which Windows reads since Vista.
int writeWindowsIcon(const QString &file)
{
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 256};
    std::vector<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        toolkit::renderIcon(icons::Application, size).save(&buffer, "PNG");
        images.push_back(png);
    }
    QFile target(file);
    if (!target.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    QDataStream out(&target);
    out.setByteOrder(QDataStream::LittleEndian);
    // Reserved, an icon (not a cursor), the number of images.
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        // Width and height (256 is written as 0), no palette, reserved, colour planes, bits per
        // pixel, the image's length and its place in the file.
        out << quint8(sizes[i] % 256) << quint8(sizes[i] % 256) << quint8(0) << quint8(0) << quint16(1)
            << quint16(32) << quint32(images[i].size()) << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        out.writeRawData(image.constData(), int(image.size()));
    if (out.status() != QDataStream::Ok || !target.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <directory> <name> | --ico <file>\n", argv[0]);
        return 2;
    }
    if (QByteArray(argv[1]) == "--ico")
        return writeWindowsIcon(QString::fromLocal8Bit(argv[2]));
    return writeThemeIcons(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
}
