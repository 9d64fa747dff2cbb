// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as designed, compared with what it shows before any handler has run. The table is
// written from the design, not read from the program's own table.

#include "tests/support/Support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRawFont>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace toolkit;

namespace {

enum Start { Shown = 0, Disabled = 1, Hidden = 2 };

struct Row
{
    const char *name;
    int index;
    const char *container;
    int containerIndex;
    // As drawn: the "&" marks the access key; the symbol font's character 243 is the arrow.
    const char *caption;
    int left, top, width, height, tabIndex;
    int start;
    // Family as installed, points, and b(old) i(talic) u(nderlined); empty for the window's font.
    const char *font;
};

// clang-format off
const Row kDesign[] = {
    {"TS", -1, "MForm", -1, "", 60, 180, 1995, 5355, 2, Shown, ""},
    {"Layer", 1, "MForm", -1, "", 4380, 360, 1815, 3435, 11, Disabled, ""},
    {"Layer", 2, "MForm", -1, "", 6300, 360, 1815, 3435, 12, Disabled, ""},
    {"ZoomFrame", -1, "MForm", -1, "Ansicht", 180, 4140, 1755, 795, 3, Disabled, ""},
    {"Btn", 2, "MForm", -1, "&Hilfe", 180, 5040, 555, 375, 8, Disabled, ""},
    {"Btn", 0, "MForm", -1, "&Info", 780, 5040, 555, 375, 7, Disabled, ""},
    {"Btn", 1, "MForm", -1, "&Ende", 1380, 5040, 555, 375, 6, Shown, ""},
    {"ViewPic", -1, "MForm", -1, "", 2160, 120, 6075, 5415, 0, Shown, ""},
    {"Btn", 7, "Layer", 1, "&Neues Formular", 60, 60, 795, 1035, 17, Disabled, ""},
    {"Btn", 8, "Layer", 1, "Formular &öffnen", 960, 60, 795, 1035, 18, Disabled, ""},
    {"Btn", 9, "Layer", 1, "&Neues Textfeld", 60, 1200, 795, 1035, 19, Disabled, ""},
    {"Btn", 10, "Layer", 1, "Andere &Vorlage", 960, 1200, 795, 1035, 20, Disabled, ""},
    {"FontList", -1, "Layer", 1, "", 60, 2340, 1695, 315, 21, Disabled, ""},
    {"FontStyleChk", 0, "Layer", 1, "F", 60, 2760, 495, 315, 22, Disabled, "Liberation Sans 8.25 b"},
    {"FontStyleChk", 1, "Layer", 1, "K", 660, 2760, 495, 315, 23, Disabled, "Liberation Sans 8.25 i"},
    {"FontStyleChk", 2, "Layer", 1, "U", 1260, 2760, 495, 315, 24, Disabled, "Liberation Sans 8.25 u"},
    {"Btn", 5, "Layer", 2, "Formular &öffnen", 60, 60, 795, 1035, 13, Shown, ""},
    {"Btn", 6, "Layer", 2, "Formular &drucken", 960, 60, 795, 1035, 14, Shown, ""},
    {"Picture1", -1, "Layer", 2, "", 60, 1260, 1695, 375, 15, Shown, ""},
    {"BgChk", -1, "Picture1", -1, "mit &Vorlage", 60, 60, 1455, 195, 16, Shown, ""},
    {"Label1", -1, "ZoomFrame", -1, "-         +", 180, 180, 930, 300, 5, Shown, "Liberation Sans 12 b"},
    {"ZoomSlider", -1, "ZoomFrame", -1, "", 60, 420, 1155, 270, 4, Shown, ""},
    {"Btn", 3, "ZoomFrame", -1, "&100%", 1200, 180, 495, 255, 9, Shown, "Liberation Sans 6.75"},
    {"Btn", 4, "ZoomFrame", -1, "\u2b04", 1200, 480, 495, 255, 10, Shown, "DejaVu Sans 9.75"},
    {"BMPImage", -1, "ViewPic", -1, "", 780, 480, 4215, 2055, -1, Shown, ""},
    {"tb", 0, "ViewPic", -1, "Text1", 2640, 4200, 675, 285, 25, Hidden, ""},
    {"tb", 1, "ViewPic", -1, "Text1", 0, 0, 675, 285, 27, Hidden, ""},
    {"TBshadow", -1, "ViewPic", -1, "Text1", 2760, 4560, 675, 285, 26, Hidden, ""},
    {"DruckPic", -1, "ViewPic", -1, "", -240, 4740, 1695, 795, 1, Hidden, ""},
};
// clang-format on

// The name of the control a widget shows, as "Btn(1)" in an array; empty for no control's widget.
std::string nameOf(const MForm &form, const QObject *widget)
{
    for (const Control *control : form.controls()) {
        if (control->widget() == widget || control->widget()->focusProxy() == widget)
            return control->index() == kNoIndex
                       ? control->name()
                       : control->name() + "(" + std::to_string(control->index()) + ")";
    }
    return {};
}

// The caption of a button, label or text box, or the title of a frame.
QString shownText(const QWidget *widget)
{
    const QVariant text = widget->property("text");
    return text.isValid() ? text.toString() : widget->property("title").toString();
}

// "Family points" and b(old), i(talic), u(nderlined) as the font is shown.
QString fontOf(const QWidget *widget)
{
    const QFontInfo info(widget->font());
    return info.family() + QLatin1Char(' ') + QString::number(widget->font().pointSizeF()) +
           QLatin1String(info.bold() ? " b" : "") + QLatin1String(info.italic() ? " i" : "") +
           QLatin1String(info.underline() ? " u" : "");
}

// Front to back, by name, as the window stacks the children of a container.
std::vector<std::string> frontToBack(const MForm &form, const Control &container)
{
    std::vector<std::string> names;
    const QObjectList &children = container.widget()->children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (const std::string name = nameOf(form, *child); !name.empty())
            names.push_back(name);
    }
    return names;
}

} // namespace

TEST(DesignTest, EveryControlAsDesigned)
{
    LoadedWindow window(false);
    const MForm &form = *window.form;
    ASSERT_EQ(form.controls().size(), std::size(kDesign));
    for (const Row &row : kDesign) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        const Control &control = form.control(row.name, static_cast<std::int16_t>(row.index));
        const QWidget *widget = control.widget();
        EXPECT_EQ(widget->parentWidget(),
                  form.control(row.container, static_cast<std::int16_t>(row.containerIndex)).widget());
        EXPECT_EQ(std::vector<float>({control.left(), control.top(), control.width(), control.height()}),
                  std::vector<float>({float(row.left), float(row.top), float(row.width), float(row.height)}));
        // A pixel is 15 twips; every place and size of the design is a whole number of pixels.
        EXPECT_EQ(widget->geometry(), QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15));
        EXPECT_EQ(control.tabIndex(), row.tabIndex);
        EXPECT_EQ(widget->testAttribute(Qt::WA_ForceDisabled), row.start == Disabled);
        EXPECT_EQ(widget->isHidden(), row.start == Hidden);
        EXPECT_EQ(shownText(widget), QString::fromUtf8(row.caption));
        const QString font = *row.font ? QString::fromUtf8(row.font) : fontOf(form.widget());
        EXPECT_EQ(fontOf(widget), font);
    }
    // The symbol is in the face that has it, not in a fallback.
    EXPECT_TRUE(QRawFont::fromFont(form.control("Btn", 4).widget()->font()).supportsCharacter(0x2B04));
}

TEST(DesignTest, TheWindowItsTabsSliderColoursPicturesAndQtsOwnStrings)
{
    LoadedWindow window(false);
    const MForm &form = *window.form;
    EXPECT_EQ(form.widget()->windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(form.widget()->size(), QSize(554, 374));
    const auto *tabs = form.control("TS").widget()->findChild<QTabBar *>();
    EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
              QStringList({QStringLiteral("Bearbeiten"), QStringLiteral("Anwenden"), QString()}));
    EXPECT_EQ(tabs->currentIndex(), 0);

    const auto *slider = static_cast<const QSlider *>(form.control("ZoomSlider").widget());
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(std::vector<int>({slider->minimum(), slider->maximum(), slider->singleStep(),
                                slider->pageStep(), slider->tickInterval(), slider->value()}),
              std::vector<int>({1, 200, 1, 25, 20, 10}));
    EXPECT_FALSE(static_cast<const QAbstractButton *>(form.control("BgChk").widget())->isChecked());

    const auto background = [&](std::string_view name, std::int16_t index = kNoIndex) {
        return form.control(name, index).widget()->palette().color(QPalette::Window);
    };
    EXPECT_EQ(background("Layer", 1), QColor(128, 255, 128));
    EXPECT_EQ(background("Layer", 2), QColor(255, 192, 128));
    EXPECT_EQ(background("ViewPic"), QColor(255, 255, 192));
    EXPECT_EQ(background("DruckPic"), QColor(255, 255, 255));
    EXPECT_EQ(form.widget()->palette().color(QPalette::Window),
              QApplication::palette("QMenu").color(QPalette::Window));

    // Both "Formular öffnen" show the same picture.
    EXPECT_EQ(form.commandButton("Btn", 5).picture().icon(), form.commandButton("Btn", 8).picture().icon());
    const QList<QSize> sizes = form.widget()->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));

    // Qt's own parts of the controls read German like the rest: the tab strip's scroll buttons, as
    // assistive technology names them, and a text box's menu.
    QStringList names;
    for (QWidget *button : tabs->parentWidget()->findChildren<QToolButton *>())
        names << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
    EXPECT_EQ(names,
              QStringList({QStringLiteral("Nach links scrollen"), QStringLiteral("Nach rechts scrollen")}));
    std::unique_ptr<QMenu> menu(
        static_cast<QLineEdit *>(form.control("tb", 0).widget())->createStandardContextMenu());
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("&Rückgängig\tStrg+Z"));
}

TEST(DesignTest, FrontToBackAndFocusOrders)
{
    LoadedWindow window(false);
    const MForm &form = *window.form;
    using Names = std::vector<std::string>;
    EXPECT_EQ(frontToBack(form, form),
              (Names{"Layer(2)", "Layer(1)", "Btn(2)", "Btn(0)", "Btn(1)", "ZoomFrame", "TS", "ViewPic"}));
    EXPECT_EQ(frontToBack(form, form.control("ViewPic")),
              (Names{"tb(1)", "TBshadow", "tb(0)", "DruckPic", "BMPImage"}));

    // Tab moves through the controls that take focus, in rising TabIndex.
    Names chain;
    const QWidget *start = form.widget();
    for (const QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
        if (const std::string name = nameOf(form, w); !name.empty() && (w->focusPolicy() & Qt::TabFocus))
            chain.push_back(name);
    }
    EXPECT_EQ(
        chain,
        (Names{"TS",     "ZoomSlider", "Btn(1)",   "Btn(0)",          "Btn(2)",          "Btn(3)",
               "Btn(4)", "Btn(5)",     "Btn(6)",   "BgChk",           "Btn(7)",          "Btn(8)",
               "Btn(9)", "Btn(10)",    "FontList", "FontStyleChk(0)", "FontStyleChk(1)", "FontStyleChk(2)",
               "tb(0)",  "TBshadow",   "tb(1)"}));
}
