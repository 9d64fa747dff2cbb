#include "mainwindow/MForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));

    MForm window;
    window.load();
    if (window.hasEnded())
        return 0;
    return QApplication::exec();
}
