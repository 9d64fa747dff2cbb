// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGuiApplication>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace toolkit {

// The frame of the design's platform, a 4 pixel border around a 19 pixel caption bar, in logical
// pixels: the frame a window has where no window manager draws one (an X server without a window
// manager, Qt's offscreen platform).
inline constexpr QMarginsF kNominalFrame{4, 23, 4, 4};

// The one place where the window system's device pixels meet the window's logical pixels, at the
// device pixel ratio the window has now. A frame keeps its fractions of a logical pixel. A size is
// rounded as Qt rounds it, both ways, so that a size compared with Qt's or asked of the X server is
// the one Qt itself has or would ask for: a logical size comes back from the device unchanged, a
// device size not always (at a ratio of 1.5, 700 device pixels are 467 logical ones, which are 701
// device pixels). A place is mapped as Qt maps it on the window's screen: Qt keeps each screen's
// corner where the X server has it and scales from there, so that on a monitor right of another,
// at a ratio other than 1, a place is not the device place divided by the ratio.
class DevicePixels
{
public:
    explicit DevicePixels(const QWidget *window)
        : m_ratio(window->devicePixelRatioF())
        , m_corner(window->screen() ? window->screen()->geometry().topLeft() : QPoint())
    {}

    QMarginsF toLogical(QMargins frame) const { return QMarginsF(frame) / m_ratio; }
    QSize toLogical(QSize size) const
    {
        return QSize(qRound(size.width() / m_ratio), qRound(size.height() / m_ratio));
    }
    QPoint toLogical(QPoint point) const
    {
        const QPoint fromCorner = point - m_corner;
        return m_corner + QPoint(qRound(fromCorner.x() / m_ratio), qRound(fromCorner.y() / m_ratio));
    }
    QSize toDevice(QSize size) const
    {
        return QSize(qRound(size.width() * m_ratio), qRound(size.height() * m_ratio));
    }
    std::optional<int> toDevice(std::optional<int> length) const
    {
        return length ? std::optional<int>(qRound(*length * m_ratio)) : std::nullopt;
    }

private:
    qreal m_ratio;
    QPoint m_corner;
};

// A screen as the X server has it, in device pixels: Qt keeps its corner and scales its size.
inline QRect deviceGeometry(const QScreen &screen)
{
    const QRect logical = screen.geometry();
    return QRect(logical.topLeft(), (QSizeF(logical.size()) * screen.devicePixelRatio()).toSize());
}

// Whether any monitor holds some of a rectangle in the X server's device pixels.
inline bool onAnyScreen(const QRect &device)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&device](const QScreen *screen) {
        return deviceGeometry(*screen).intersects(device);
    });
}

// The least whole length of a client area whose outer length, with a frame of the given length,
// is not below the one given, in logical pixels. A hair of tolerance keeps a sum of fractions that
// is whole from counting as more.
inline int clientLength(qreal outer, qreal frame)
{
    return static_cast<int>(std::clamp(std::ceil(outer - frame - 1e-6), 0.0, double(QWIDGETSIZE_MAX)));
}

} // namespace toolkit
