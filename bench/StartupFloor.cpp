// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for Quorvel's start-up: a bare Qt program that shows a window of the same size with
// the same number and kinds of widgets in the same places, and ends at its first painted frame.
// With --design-fonts its widgets also carry the fonts of Quorvel's design, which separates the
// cost of those fonts from the cost of Quorvel's own code.

#include "bench/FirstPaint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QWidget>

namespace {

template<class Widget>
Widget *place(Widget *widget, int x, int y, int width, int height)
{
    widget->setGeometry(x, y, width, height);
    return widget;
}

QWidget *area(QWidget *parent, int x, int y, int width, int height, QColor color)
{
    auto *widget = place(new QWidget(parent), x, y, width, height);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool designFonts = argc > 1 && QLatin1String(argv[1]) == QLatin1String("--design-fonts");
    const auto font = [&](QWidget *widget, const char *family, qreal points, bool bold = false,
                          bool italic = false, bool underline = false) {
        if (!designFonts)
            return;
        QFont chosen{QString::fromLatin1(family)};
        chosen.setPointSizeF(points);
        chosen.setBold(bold);
        chosen.setItalic(italic);
        chosen.setUnderline(underline);
        widget->setFont(chosen);
    };
    QWidget window;
    window.resize(554, 374);
    font(&window, "Liberation Sans", 8);

    auto *tabs = place(new QWidget(&window), 4, 12, 133, 357);
    auto *tabBar = place(new QTabBar(tabs), 0, 0, 133, 24);
    tabBar->addTab(QStringLiteral("Bearbeiten"));
    tabBar->addTab(QStringLiteral("Anwenden"));

    QWidget *view = area(&window, 144, 8, 405, 361, QColor(255, 255, 192));
    area(view, 0, 0, 405, 197, Qt::white);
    for (int i = 0; i < 3; ++i)
        place(new QLineEdit(QStringLiteral("Text1"), view), 176, 280, 45, 19)->hide();
    area(view, -16, 316, 113, 53, Qt::white)->hide();

    QWidget *layers[2];
    for (int i = 0; i < 2; ++i)
        layers[i] = area(&window, 8, 47, 121, 229, QColor(239, 239, 239));
    const char *editCaptions[] = {"&Neues Formular", "Formular &öffnen", "&Neues Textfeld",
                                  "Andere &Vorlage"};
    for (int i = 0; i < 4; ++i)
        place(new QPushButton(QString::fromUtf8(editCaptions[i]), layers[0]), 4 + (i % 2) * 60,
              4 + (i / 2) * 76, 53, 69);
    place(new QComboBox(layers[0]), 4, 156, 113, 21)->addItem(QStringLiteral("Arial"));
    for (int i = 0; i < 3; ++i) {
        auto *style =
            place(new QPushButton(QStringLiteral("FKU").mid(i, 1), layers[0]), 4 + i * 40, 184, 33, 21);
        style->setCheckable(true);
        font(style, "Liberation Sans", 8.25, i == 0, i == 1, i == 2);
    }
    place(new QPushButton(QStringLiteral("Formular &öffnen"), layers[1]), 4, 4, 53, 69);
    place(new QPushButton(QStringLiteral("Formular &drucken"), layers[1]), 64, 4, 53, 69);
    QWidget *options = area(layers[1], 4, 84, 113, 25, QColor(239, 239, 239));
    place(new QCheckBox(QStringLiteral("mit &Vorlage"), options), 4, 4, 97, 13);

    auto *zoom = place(new QGroupBox(QStringLiteral("Ansicht 144%"), &window), 12, 276, 117, 53);
    font(place(new QLabel(QStringLiteral("-         +"), zoom), 12, 12, 62, 20), "Liberation Sans", 12, true);
    place(new QSlider(Qt::Horizontal, zoom), 4, 28, 77, 18);
    font(place(new QPushButton(QStringLiteral("&100%"), zoom), 80, 12, 33, 17), "Liberation Sans", 6.75);
    font(place(new QPushButton(QString(QChar(0x2B04)), zoom), 80, 32, 33, 17), "DejaVu Sans", 9.75);
    // The "Bearbeiten" layer in front, as after Quorvel's start-up.
    layers[0]->raise();
    place(new QPushButton(QStringLiteral("&Hilfe"), &window), 12, 336, 37, 25);
    place(new QPushButton(QStringLiteral("&Info"), &window), 52, 336, 37, 25);
    place(new QPushButton(QStringLiteral("&Ende"), &window), 92, 336, 37, 25);

    QuitOnFirstPaint quit(&window);
    window.show();
    return QApplication::exec();
}
