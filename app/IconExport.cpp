// Writes the window's icon as the PNG files of the hicolor icon theme, drawn at each size from
// the same drawing as the window's icon:
//   quorvel-icons <directory>   writes <directory>/<size>x<size>/apps/quorvel.png

#include "resources/Icons.h"
#include "toolkit/widgets/IconRenderer.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    for (int size : {16, 32, 48, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file = folder + QStringLiteral("/quorvel.png");
        if (!QDir().mkpath(folder) || !toolkit::renderIcon(icons::Application, size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
