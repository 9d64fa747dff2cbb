// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The view-state variables the window's handlers share. One window owns one ViewState; every
// member starts at 0 and is written only by the handlers that own it (named below).
struct ViewState
{
    // Work tabs: the selected work tab, 1 or 2.
    std::int16_t WorkMode = 0;

    // Start-up: the window's inner width and height less the viewport's, measured at load.
    float ViewMarginW = 0;
    float ViewMarginH = 0;

    // Template set-up: the natural size of the template picture, the 100 percent of the zoom.
    float TemplateW = 0;
    float TemplateH = 0;

    // Panning: the press point on the picture and the picture's position at that press.
    float PanDownX = 0;
    float PanDownY = 0;
    float PanImgLeft = 0;
    float PanImgTop = 0;
    // Panning: the position the clamp last wrote to the picture.
    float LastImgLeft = 0;
    float LastImgTop = 0;

    // Text fields: the press point on a field and the field's position at that press.
    float DragDownX = 0;
    float DragDownY = 0;
    float DragTbTop = 0;
    float DragTbLeft = 0;
};
