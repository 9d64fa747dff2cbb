// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/GivenSize.h"

#include <cstdlib>

namespace toolkit {

namespace {

// How often a window is asked back to its size after a window manager snapped it: Qt names its size
// steps once as the window is shown, and once as the window comes to a monitor of another ratio.
constexpr int kMostSnapsTakenBack = 3;

} // namespace

void GivenSize::show(QSize size)
{
    m_kept = size;
    m_snapsTakenBack = 0;
}

std::optional<QSize> GivenSize::takeRatio(qreal ratio, QSize room)
{
    const bool newRatio = m_ratio > 0 && ratio != m_ratio;
    m_ratio = ratio;
    if (!newRatio || !m_given.isValid())
        return std::nullopt;
    show(m_given.boundedTo(room));
    return m_kept;
}

std::optional<QSize> GivenSize::take(QSize now, qreal ratio, const Bounds &bounds)
{
    const auto &[least, room] = bounds;
    if (const std::optional<QSize> kept = takeRatio(ratio, room); kept && *kept != now)
        return kept;
    if (const std::optional<QSize> kept = takeBackSnap(now, least))
        return kept;
    // A length raised to the least one keeps the length it had before.
    const auto given = [](int now, int before, int least) {
        return now == least && before < least ? before : now;
    };
    m_given = !m_given.isValid() ? now
                                 : QSize(given(now.width(), m_given.width(), least.width()),
                                         given(now.height(), m_given.height(), least.height()));
    return std::nullopt;
}

std::optional<QSize> GivenSize::takeBackSnap(QSize now, QSize least)
{
    if (!m_kept.isValid() || now == m_kept)
        return std::nullopt;
    // Along each axis: snapped by a device pixel, which is at most one logical pixel, or at the
    // size kept, or at the least.
    const auto snapped = [](int now, int kept, int least) {
        return now != kept && now != least && std::abs(now - kept) <= 1;
    };
    const auto settled = [](int now, int kept, int least) { return now == kept || now == least; };
    const bool width = snapped(now.width(), m_kept.width(), least.width());
    const bool height = snapped(now.height(), m_kept.height(), least.height());
    if (!(width || settled(now.width(), m_kept.width(), least.width())) ||
        !(height || settled(now.height(), m_kept.height(), least.height())) ||
        m_snapsTakenBack == kMostSnapsTakenBack) {
        m_kept = QSize();
        return std::nullopt;
    }
    m_kept = QSize(width ? m_kept.width() : now.width(), height ? m_kept.height() : now.height());
    if (!width && !height)
        return std::nullopt;
    ++m_snapsTakenBack;
    return m_kept;
}

} // namespace toolkit
