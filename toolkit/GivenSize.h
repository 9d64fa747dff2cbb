// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

#include <optional>

namespace toolkit {

// The size in logical pixels that a window in its normal state was given, by the user or by the
// window manager, which it keeps on monitors of every device pixel ratio, as desktops that scale
// each monitor do. Qt keeps a window's size in device pixels as the window comes to a monitor of
// another ratio, which halves or doubles it to the user's eye: the window is asked back to the size
// it was given, as far as the monitor has room for it. A length raised to the least one, by the
// program or by a window manager that was told it, was not given, so that a window taken to a
// monitor and back is as it was.
//
// Qt names size steps of the ratio to the window manager as the window is created and as it comes
// to a monitor of another ratio, which the toolkit takes back at once; a window manager that read
// them first snaps the window by a device pixel. A window shown or moved at a size it keeps is asked
// back to it, a few times at most, while its size changes by no more than such snaps and the least
// size.
class GivenSize
{
public:
    // The window is shown at a size it keeps.
    void show(QSize size);
    // The window in its normal state has a size now, at the device pixel ratio of its monitor, with
    // the least size it has there and the largest the monitor has room for: the size it is to be
    // asked for, where that is another.
    struct Bounds
    {
        QSize least;
        QSize room;
    };
    std::optional<QSize> take(QSize now, qreal ratio, const Bounds &bounds);
    // The window came to a monitor of another ratio, but Qt has not taken in its size there: the
    // size it is to be asked for.
    std::optional<QSize> takeRatio(qreal ratio, QSize room);

private:
    std::optional<QSize> takeBackSnap(QSize now, QSize least);

    QSize m_given;
    qreal m_ratio = 0;
    QSize m_kept;
    int m_snapsTakenBack = 0;
};

} // namespace toolkit
