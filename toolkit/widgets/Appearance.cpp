// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/Appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

namespace toolkit {

namespace {

struct FontMapping
{
    std::string_view designName;
    // The faces that show the design's font, the first that is installed.
    const char *families[2];
};

// The design's sans serif fonts share Arial's widths: Arial where it is installed (Windows), else
// Liberation Sans, which has Arial's metrics. The symbol font's arrows: Segoe UI Symbol on
// Windows, else DejaVu Sans, the one face here that has them.
constexpr FontMapping kFontMappings[] = {
    {"", {"Arial", "Liberation Sans"}},
    {"MS Sans Serif", {"Arial", "Liberation Sans"}},
    {"Arial", {"Arial", "Liberation Sans"}},
    {"Wingdings", {"Segoe UI Symbol", "DejaVu Sans"}},
};
constexpr float kDefaultPointSize = 8.0f;

struct SymbolMapping
{
    char16_t symbol;
    char16_t unicode;
};

// Symbol font characters and the Unicode characters that show the same symbol.
constexpr SymbolMapping kSymbolMappings[] = {
    {0xF3, 0x2B04}, // left-right white arrow
};

} // namespace

QColor resolveColor(Color color)
{
    if (!color.isSystem())
        return QColor(color.red(), color.green(), color.blue());
    switch (color.systemColor()) {
    case SystemColor::MenuBackground:
        return QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window);
    case SystemColor::WindowText:
        return QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    }
    return QColor();
}

QFont resolveFont(const FontDesign &font)
{
    const FontMapping *chosen = &kFontMappings[0];
    for (const FontMapping &mapping : kFontMappings) {
        if (mapping.designName == font.name)
            chosen = &mapping;
    }
    QFont result{
        QStringList{QString::fromLatin1(chosen->families[0]), QString::fromLatin1(chosen->families[1])}};
    result.setPointSizeF(font.size > 0 ? font.size : kDefaultPointSize);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    return result;
}

QString displayText(std::string_view caption, bool symbolFont)
{
    QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    if (!symbolFont)
        return text;
    for (QChar &character : text) {
        for (const SymbolMapping &mapping : kSymbolMappings) {
            if (character.unicode() == mapping.symbol)
                character = QChar(mapping.unicode);
        }
    }
    return text;
}

} // namespace toolkit
