// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MForm.h"

#include "mainwindow/CommandButtons.h"
#include "mainwindow/MFormDesign.h"
#include "mainwindow/StartUp.h"
#include "mainwindow/WorkTabs.h"
#include "templateview/TemplateHandlers.h"
#include "textfields/TextFieldDrag.h"

#include <string_view>

namespace {

using toolkit::Event;
using toolkit::EventArgs;

struct Binding
{
    std::string_view control;
    Event event;
    void (*handler)(MForm &, const EventArgs &);
};

// Every event the program handles; an event not listed here has no handler.
constexpr Binding kBindings[] = {
    {"MForm", Event::Load, [](MForm &f, const EventArgs &) { Form_Load(f, f.state()); }},
    {"MForm", Event::Resize, [](MForm &f, const EventArgs &) { Form_Resize(f, f.state()); }},
    {"TS", Event::Click, [](MForm &f, const EventArgs &) { TS_Click(f, f.state()); }},
    {"Btn", Event::Click, [](MForm &f, const EventArgs &e) { Btn_Click(f, f.state(), e.index); }},
    {"BMPImage", Event::MouseDown,
     [](MForm &f, const EventArgs &e) { BMPImage_MouseDown(f, f.state(), e.button, e.shift, e.x, e.y); }},
    {"BMPImage", Event::MouseMove,
     [](MForm &f, const EventArgs &e) { BMPImage_MouseMove(f, f.state(), e.button, e.shift, e.x, e.y); }},
    {"ZoomSlider", Event::Change, [](MForm &f, const EventArgs &) { ZoomSlider_Change(f, f.state()); }},
    {"tb", Event::MouseDown,
     [](MForm &f, const EventArgs &e) { TB_MouseDown(f, f.state(), e.index, e.button, e.shift, e.x, e.y); }},
    {"tb", Event::MouseMove,
     [](MForm &f, const EventArgs &e) { TB_MouseMove(f, f.state(), e.index, e.button, e.shift, e.x, e.y); }},
    {"tb", Event::MouseUp,
     [](MForm &f, const EventArgs &e) { TB_MouseUp(f, f.state(), e.index, e.button, e.shift, e.x, e.y); }},
};

} // namespace

MForm::MForm()
    : Form(mform_design::kWindow, mform_design::kControls)
{
    for (const Binding &binding : kBindings)
        bind(binding.control, binding.event,
             [this, handler = binding.handler](const EventArgs &args) { handler(*this, args); });
}
