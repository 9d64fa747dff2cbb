// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MFormDesign.h"

#include "resources/Icons.h"

#include <array>
#include <string_view>

namespace mform_design {

namespace {

using toolkit::Color;
using toolkit::ControlDesign;
using toolkit::ControlKind;
using toolkit::FontDesign;
using toolkit::SystemColor;

constexpr std::array<std::string_view, 2> kWorkTabs = {"Bearbeiten", "Anwenden"};

constexpr Color kWindowText = Color::system(SystemColor::WindowText);
constexpr FontDesign kBoldSans{.name = "MS Sans Serif", .size = 8.25f, .bold = true};
constexpr FontDesign kItalicSans{.name = "MS Sans Serif", .size = 8.25f, .italic = true};
constexpr FontDesign kUnderlinedSans{.name = "MS Sans Serif", .size = 8.25f, .underline = true};
constexpr FontDesign kZoomSignFont{.name = "MS Sans Serif", .size = 12.0f, .bold = true};
constexpr FontDesign kSmallArial{.name = "Arial", .size = 6.75f};
constexpr FontDesign kSymbolFont{.name = "Wingdings", .size = 9.75f, .symbol = true};

// Containers come before their controls. zOrder is the place in the container's front-to-back
// order, 0 in front. The picture buttons are graphical (style 1). Controls without a caption carry
// a name for assistive technology.
// clang-format off
const ControlDesign kDesign[] = {
    // On the window: the tab strip on the left, the viewport on the right.
    {.kind = ControlKind::TabStrip, .name = "TS", .container = "MForm",
     .left = 60, .top = 180, .width = 1995, .height = 5355, .tabIndex = 2, .zOrder = 6,
     .accessibleName = "Arbeitsschritte", .tabs = kWorkTabs},
    {.kind = ControlKind::PictureBox, .name = "Layer", .index = 1, .container = "MForm",
     .left = 4380, .top = 360, .width = 1815, .height = 3435, .tabIndex = 11, .zOrder = 1, .enabled = false,
     .backColor = Color::rgb(128, 255, 128), .foreColor = kWindowText, .accessibleName = "Werkzeuge Bearbeiten"},
    {.kind = ControlKind::PictureBox, .name = "Layer", .index = 2, .container = "MForm",
     .left = 6300, .top = 360, .width = 1815, .height = 3435, .tabIndex = 12, .zOrder = 0, .enabled = false,
     .backColor = Color::rgb(255, 192, 128), .foreColor = kWindowText, .accessibleName = "Werkzeuge Anwenden"},
    {.kind = ControlKind::Frame, .name = "ZoomFrame", .container = "MForm", .caption = "Ansicht",
     .left = 180, .top = 4140, .width = 1755, .height = 795, .tabIndex = 3, .zOrder = 5, .enabled = false},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 2, .container = "MForm", .caption = "&Hilfe",
     .left = 180, .top = 5040, .width = 555, .height = 375, .tabIndex = 8, .zOrder = 2, .enabled = false},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 0, .container = "MForm", .caption = "&Info",
     .left = 780, .top = 5040, .width = 555, .height = 375, .tabIndex = 7, .zOrder = 3, .enabled = false},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 1, .container = "MForm", .caption = "&Ende",
     .left = 1380, .top = 5040, .width = 555, .height = 375, .tabIndex = 6, .zOrder = 4},
    {.kind = ControlKind::PictureBox, .name = "ViewPic", .container = "MForm",
     .left = 2160, .top = 120, .width = 6075, .height = 5415, .tabIndex = 0, .zOrder = 7,
     .backColor = Color::rgb(255, 255, 192), .accessibleName = "Formularansicht"},

    // Layer(1), "Bearbeiten".
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 7, .container = "Layer", .containerIndex = 1,
     .caption = "&Neues Formular", .left = 60, .top = 60, .width = 795, .height = 1035, .tabIndex = 17,
     .zOrder = 7, .enabled = false, .picture = &icons::NewForm, .style = 1},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 8, .container = "Layer", .containerIndex = 1,
     .caption = "Formular &öffnen", .left = 960, .top = 60, .width = 795, .height = 1035, .tabIndex = 18,
     .zOrder = 6, .enabled = false, .picture = &icons::OpenForm, .style = 1},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 9, .container = "Layer", .containerIndex = 1,
     .caption = "&Neues Textfeld", .left = 60, .top = 1200, .width = 795, .height = 1035, .tabIndex = 19,
     .zOrder = 5, .enabled = false, .picture = &icons::NewTextField, .style = 1},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 10, .container = "Layer", .containerIndex = 1,
     .caption = "Andere &Vorlage", .left = 960, .top = 1200, .width = 795, .height = 1035, .tabIndex = 20,
     .zOrder = 4, .enabled = false, .picture = &icons::OtherTemplate, .style = 1},
    {.kind = ControlKind::ComboBox, .name = "FontList", .container = "Layer", .containerIndex = 1,
     .left = 60, .top = 2340, .width = 1695, .height = 315, .tabIndex = 21, .zOrder = 3, .enabled = false,
     .style = 2, .accessibleName = "Schriftart"},
    {.kind = ControlKind::CheckBox, .name = "FontStyleChk", .index = 0, .container = "Layer", .containerIndex = 1,
     .caption = "F", .left = 60, .top = 2760, .width = 495, .height = 315, .tabIndex = 22, .zOrder = 2,
     .enabled = false, .font = kBoldSans, .style = 1},
    {.kind = ControlKind::CheckBox, .name = "FontStyleChk", .index = 1, .container = "Layer", .containerIndex = 1,
     .caption = "K", .left = 660, .top = 2760, .width = 495, .height = 315, .tabIndex = 23, .zOrder = 1,
     .enabled = false, .font = kItalicSans, .style = 1},
    {.kind = ControlKind::CheckBox, .name = "FontStyleChk", .index = 2, .container = "Layer", .containerIndex = 1,
     .caption = "U", .left = 1260, .top = 2760, .width = 495, .height = 315, .tabIndex = 24, .zOrder = 0,
     .enabled = false, .font = kUnderlinedSans, .style = 1},

    // Layer(2), "Anwenden".
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 5, .container = "Layer", .containerIndex = 2,
     .caption = "Formular &öffnen", .left = 60, .top = 60, .width = 795, .height = 1035, .tabIndex = 13,
     .zOrder = 2, .picture = &icons::OpenForm, .style = 1},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 6, .container = "Layer", .containerIndex = 2,
     .caption = "Formular &drucken", .left = 960, .top = 60, .width = 795, .height = 1035, .tabIndex = 14,
     .zOrder = 1, .picture = &icons::PrintForm, .style = 1},
    {.kind = ControlKind::PictureBox, .name = "Picture1", .container = "Layer", .containerIndex = 2,
     .left = 60, .top = 1260, .width = 1695, .height = 375, .tabIndex = 15, .zOrder = 0,
     .accessibleName = "Vorlagenoptionen"},
    {.kind = ControlKind::CheckBox, .name = "BgChk", .container = "Picture1", .caption = "mit &Vorlage",
     .left = 60, .top = 60, .width = 1455, .height = 195, .tabIndex = 16, .zOrder = 0},

    // The zoom frame.
    {.kind = ControlKind::Label, .name = "Label1", .container = "ZoomFrame", .caption = "-         +",
     .left = 180, .top = 180, .width = 930, .height = 300, .tabIndex = 5, .zOrder = 3, .font = kZoomSignFont},
    {.kind = ControlKind::Slider, .name = "ZoomSlider", .container = "ZoomFrame",
     .left = 60, .top = 420, .width = 1155, .height = 270, .tabIndex = 4, .zOrder = 2,
     .accessibleName = "Ansicht in Prozent",
     .min = 1, .max = 200, .smallChange = 1, .largeChange = 25, .tickFrequency = 20, .value = 10},
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 3, .container = "ZoomFrame", .caption = "&100%",
     .left = 1200, .top = 180, .width = 495, .height = 255, .tabIndex = 9, .zOrder = 1, .font = kSmallArial},
    // Character 243 of the symbol font: a left-right arrow.
    {.kind = ControlKind::CommandButton, .name = "Btn", .index = 4, .container = "ZoomFrame", .caption = "\u00f3",
     .left = 1200, .top = 480, .width = 495, .height = 255, .tabIndex = 10, .zOrder = 0, .font = kSymbolFont,
     .accessibleName = "An Fensterbreite anpassen"},

    // The viewport: the template picture behind the text fields and their drag proxy.
    {.kind = ControlKind::Image, .name = "BMPImage", .container = "ViewPic",
     .left = 780, .top = 480, .width = 4215, .height = 2055, .zOrder = 4, .accessibleName = "Formularvorlage"},
    {.kind = ControlKind::TextBox, .name = "tb", .index = 0, .container = "ViewPic", .caption = "Text1",
     .left = 2640, .top = 4200, .width = 675, .height = 285, .tabIndex = 25, .zOrder = 2, .visible = false},
    {.kind = ControlKind::TextBox, .name = "tb", .index = 1, .container = "ViewPic", .caption = "Text1",
     .left = 0, .top = 0, .width = 675, .height = 285, .tabIndex = 27, .zOrder = 0, .visible = false},
    {.kind = ControlKind::TextBox, .name = "TBshadow", .container = "ViewPic", .caption = "Text1",
     .left = 2760, .top = 4560, .width = 675, .height = 285, .tabIndex = 26, .zOrder = 1, .visible = false},
    {.kind = ControlKind::PictureBox, .name = "DruckPic", .container = "ViewPic",
     .left = -240, .top = 4740, .width = 1695, .height = 795, .tabIndex = 1, .zOrder = 3, .visible = false,
     .backColor = Color::rgb(255, 255, 255), .foreColor = kWindowText, .accessibleName = "Druckbild"},
};
// clang-format on

} // namespace

const toolkit::WindowDesign kWindow{
    .name = "MForm",
    .caption = "Form1",
    .clientWidth = 8310,
    .clientHeight = 5610,
    .startUpPosition = toolkit::StartUpPosition::CenterScreen,
    .backColor = Color::system(SystemColor::MenuBackground),
    .icon = &icons::Application,
};

const std::span<const toolkit::ControlDesign> kControls{kDesign};

} // namespace mform_design
