// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/Appearance.h"

#include <QApplication>
#include <QPalette>

namespace toolkit {

namespace {

struct FontMapping
{
    std::string_view designName;
    const char *family;
};

// Liberation Sans has the metrics of Arial, whose widths the design's sans serif fonts share; the
// symbol font's arrows exist only in DejaVu Sans here.
constexpr FontMapping kFontMappings[] = {
    {"", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Wingdings", "DejaVu Sans"},
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
    const char *family = kFontMappings[0].family;
    for (const FontMapping &mapping : kFontMappings) {
        if (mapping.designName == font.name)
            family = mapping.family;
    }
    QFont result{QString::fromLatin1(family)};
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
