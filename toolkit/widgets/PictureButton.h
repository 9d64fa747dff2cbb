// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace toolkit {

// A graphical command button: its picture centred at the top and its caption below, wrapped at
// word boundaries rather than cut off.
class PictureButton : public QPushButton
{
public:
    explicit PictureButton(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace toolkit
