// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/Appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

#include <span>

namespace toolkit {

namespace {

// The faces that show the design's fonts, the first of them that is installed. Its sans serif
// fonts share Arial's widths: on Windows Arial, and the symbol font's arrows in Segoe UI Symbol;
// Wine, which stands in for Windows in the tests, has neither, and takes the faces that show them
// elsewhere: Liberation Sans, which has Arial's metrics, and DejaVu Sans, the one face here with
// the arrows.
#ifdef Q_OS_WIN
constexpr const char *kSansFaces[] = {"Arial", "Liberation Sans"};
constexpr const char *kSymbolFaces[] = {"Segoe UI Symbol", "DejaVu Sans"};
#else
constexpr const char *kSansFaces[] = {"Liberation Sans"};
constexpr const char *kSymbolFaces[] = {"DejaVu Sans"};
#endif

struct FontMapping
{
    std::string_view designName;
    std::span<const char *const> faces;
};

constexpr FontMapping kFontMappings[] = {
    {"", kSansFaces},
    {"MS Sans Serif", kSansFaces},
    {"Arial", kSansFaces},
    {"Wingdings", kSymbolFaces},
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
    QStringList faces;
    for (const char *face : chosen->faces)
        faces.append(QString::fromLatin1(face));
    QFont result{faces};
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
