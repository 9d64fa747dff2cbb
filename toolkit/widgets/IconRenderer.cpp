// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/widgets/IconRenderer.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QLibraryInfo>
#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>
#include <QVersionNumber>

#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace toolkit {

namespace {

constexpr QRgb kVgaPalette[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

// The parts of text between any of the separators, empty parts left out.
std::vector<std::string_view> split(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const auto end = text.find_first_of(separators);
        const std::string_view part = text.substr(0, end);
        if (!part.empty())
            parts.push_back(part);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return parts;
}

// A colour digit of the drawing; '-' (or anything else) is no colour.
std::optional<QColor> paletteColor(std::string_view digit)
{
    if (digit.size() != 1)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digit.data(), digit.data() + 1, value, 16);
    if (error != std::errc() || end != digit.data() + 1)
        return std::nullopt;
    return QColor(kVgaPalette[value]);
}

std::vector<double> numbers(const std::vector<std::string_view> &words, std::size_t first)
{
    std::vector<double> values;
    for (std::size_t i = first; i < words.size(); ++i) {
        int value = 0;
        std::from_chars(words[i].data(), words[i].data() + words[i].size(), value);
        values.push_back(value);
    }
    return values;
}

// Pixel-centred points, so that a one-unit line covers whole grid cells.
QPolygonF polygon(const std::vector<double> &values)
{
    QPolygonF points;
    for (std::size_t i = 0; i + 1 < values.size(); i += 2)
        points << QPointF(values[i] + 0.5, values[i + 1] + 0.5);
    return points;
}

void setColors(QPainter &painter, std::optional<QColor> fill, std::optional<QColor> line)
{
    painter.setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    painter.setPen(line ? QPen(*line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin) : QPen(Qt::NoPen));
}

void drawCommand(QPainter &painter, const std::vector<std::string_view> &words)
{
    const std::string_view verb = words.front();
    if (verb == "line" && words.size() >= 2) {
        setColors(painter, std::nullopt, paletteColor(words[1]));
        painter.drawPolyline(polygon(numbers(words, 2)));
        return;
    }
    if (words.size() < 3)
        return;
    const auto fill = paletteColor(words[1]);
    const auto line = paletteColor(words[2]);
    const std::vector<double> values = numbers(words, 3);
    if (verb == "poly") {
        setColors(painter, fill, line);
        painter.drawPolygon(polygon(values));
        return;
    }
    if (values.size() != 4)
        return;
    // A filled shape without an outline covers exactly its w x h cells; an outline is drawn on the
    // outermost cells.
    const QRectF cells(values[0], values[1], values[2], values[3]);
    const QRectF outline = cells.adjusted(0.5, 0.5, -0.5, -0.5);
    setColors(painter, fill, line);
    if (verb == "rect") {
        if (line)
            painter.drawRect(outline);
        else
            painter.fillRect(cells, *fill);
    } else if (verb == "oval") {
        painter.drawEllipse(line ? outline : cells);
    }
}

const IconImage *imageFor(const Icon &icon, int pixels)
{
    const IconImage *best = nullptr;
    for (const IconImage &image : icon.images) {
        const bool fits = image.gridSize >= pixels;
        if (!best || (fits && (best->gridSize < pixels || image.gridSize < best->gridSize)) ||
            (!fits && best->gridSize < pixels && image.gridSize > best->gridSize))
            best = &image;
    }
    return best;
}

class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(const Icon &icon)
        : m_icon(icon)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, rendered(qRound(qMin(rect.width(), rect.height()) * ratio), mode, ratio));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        return rendered(qMin(size.width(), size.height()), mode, 1.0);
    }

    // QIcon::pixmap passes the size in device pixels up to Qt 6.7, having applied the ratio
    // itself, and in device-independent pixels from Qt 6.8 on. What counts is the Qt the program
    // runs with, which may be newer than the one it was built with.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        static const bool sizeIsDeviceIndependent = QLibraryInfo::version() >= QVersionNumber(6, 8);
        const int side = qMin(size.width(), size.height());
        return rendered(sizeIsDeviceIndependent ? qRound(side * scale) : side, mode, scale);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const IconImage &image : m_icon.images)
            sizes << QSize(image.gridSize, image.gridSize);
        return sizes;
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_icon); }
    QString key() const override { return QStringLiteral("quorvel-drawn"); }
    bool isNull() override { return m_icon.images.empty(); }

private:
    // The icon drawn into a square of that many device pixels, for a screen of that ratio.
    QPixmap rendered(int pixels, QIcon::Mode mode, qreal ratio)
    {
        const quint64 key = quint64(pixels) << 8 | quint64(mode);
        QPixmap pixmap = m_cache.value(key);
        if (pixmap.isNull()) {
            pixmap = QPixmap::fromImage(renderIcon(m_icon, pixels));
            if (mode == QIcon::Disabled || mode == QIcon::Selected) {
                QStyleOption option;
                option.palette = QApplication::palette();
                pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
            }
            m_cache.insert(key, pixmap);
        }
        pixmap.setDevicePixelRatio(ratio);
        return pixmap;
    }

    const Icon &m_icon;
    QHash<quint64, QPixmap> m_cache;
};

} // namespace

QImage renderIcon(const Icon &icon, int pixels)
{
    QImage result(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    const IconImage *image = imageFor(icon, pixels);
    if (!image || pixels <= 0)
        return result;
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(double(pixels) / image->gridSize, double(pixels) / image->gridSize);
    for (std::string_view command : split(image->drawing, ";")) {
        const std::vector<std::string_view> words = split(command, " \n\t");
        if (!words.empty())
            drawCommand(painter, words);
    }
    return result;
}

QIcon makeIcon(const Icon &icon)
{
    return QIcon(new DrawnIconEngine(icon));
}

} // namespace toolkit
