#include "mainwindow/MFormDesign.h"
#include "tests/support/Support.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTabBar>
#include <gtest/gtest.h>

#include <map>

using namespace toolkit;

namespace {

// A control's caption without its access key mark, or the name the design gives it; a list is
// known by its current text while it has one, the tab strip by its selected tab.
QString expectedName(const ControlDesign &design, const Control &control)
{
    if (const auto *list = dynamic_cast<const ComboBox *>(&control); list && list->listIndex() >= 0)
        return QString::fromStdString(list->list(list->listIndex()));
    if (const auto *tabs = dynamic_cast<const TabStrip *>(&control))
        return QString::fromStdString(tabs->tabCaption(tabs->selectedItemIndex()));
    const std::string_view name = design.accessibleName.empty() ? design.caption : design.accessibleName;
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).remove(QLatin1Char('&'));
}

QAccessible::Role expectedRole(const ControlDesign &design)
{
    static const std::map<ControlKind, QAccessible::Role> roles = {
        {ControlKind::PictureBox, QAccessible::Pane},      {ControlKind::Image, QAccessible::Graphic},
        {ControlKind::TextBox, QAccessible::EditableText}, {ControlKind::CommandButton, QAccessible::Button},
        {ControlKind::CheckBox, QAccessible::CheckBox},    {ControlKind::ComboBox, QAccessible::ComboBox},
        {ControlKind::Frame, QAccessible::Grouping},       {ControlKind::Label, QAccessible::StaticText},
        {ControlKind::Slider, QAccessible::Slider},        {ControlKind::TabStrip, QAccessible::PageTabList},
    };
    return roles.at(design.kind);
}

// What assistive technology is told about a control: the tab strip is its tabs.
QAccessibleInterface *interfaceOf(const Control &control)
{
    QWidget *widget = control.widget()->focusProxy() ? control.widget()->focusProxy() : control.widget();
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

TEST(AccessibilityTest, EveryControlHasItsNameRoleAndRealState)
{
    for (bool loaded : {false, true}) {
        SCOPED_TRACE(loaded ? "after load" : "before load");
        LoadedWindow window(loaded);
        for (const ControlDesign &design : mform_design::kControls) {
            const Control &control = window.form->control(design.name, design.index);
            SCOPED_TRACE(std::string(design.name) + " " + std::to_string(design.index));
            QAccessibleInterface *iface = interfaceOf(control);
            ASSERT_NE(iface, nullptr);
            ASSERT_TRUE(iface->isValid());
            if (design.kind != ControlKind::Frame || !loaded) {
                EXPECT_EQ(iface->text(QAccessible::Name), expectedName(design, control));
            }
            EXPECT_EQ(iface->role(), expectedRole(design));
            const QWidget *widget = control.widget();
            EXPECT_EQ(iface->state().disabled, !widget->isEnabled());
            EXPECT_EQ(iface->state().invisible, !widget->isVisible());
        }
    }
}

TEST(AccessibilityTest, NamesFollowWhatTheWindowShows)
{
    LoadedWindow window;
    MForm &form = *window.form;
    QAccessibleInterface *windowInterface = QAccessible::queryAccessibleInterface(form.widget());
    EXPECT_EQ(windowInterface->text(QAccessible::Name), QStringLiteral("Quorvel"));
    EXPECT_EQ(windowInterface->role(), QAccessible::Window);
    EXPECT_EQ(interfaceOf(form.control("ZoomFrame"))->text(QAccessible::Name),
              QStringLiteral("Ansicht 144%"));

    // A text box is known by its text, also after a drag proxy took another field's text.
    form.textBox("tb", 1).setText("Name");
    EXPECT_EQ(interfaceOf(form.control("tb", 1))->text(QAccessible::Name), QStringLiteral("Name"));

    // The tabs are the tab strip's children, the selected one marked.
    QAccessibleInterface *tabs = interfaceOf(form.control("TS"));
    std::vector<QAccessibleInterface *> pages;
    for (int i = 0; i < tabs->childCount(); ++i) {
        if (tabs->child(i)->role() == QAccessible::PageTab)
            pages.push_back(tabs->child(i));
    }
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0]->text(QAccessible::Name), QStringLiteral("Bearbeiten"));
    EXPECT_EQ(pages[1]->text(QAccessible::Name), QStringLiteral("Anwenden"));
    // Qt marks the current tab as the focused one of the list.
    const auto current = [](QAccessibleInterface *tab) {
        return tab->state().selected || tab->state().focused;
    };
    EXPECT_TRUE(current(pages[0]));
    EXPECT_FALSE(current(pages[1]));
}

TEST(AccessibilityTest, TheToolkitsOwnControlsHaveInterfacesOfTheirOwn)
{
    LoadedWindow window;
    const auto roleOf = [&](std::string_view name) {
        return QAccessible::queryAccessibleInterface(window.form->control(name).widget())->role();
    };
    EXPECT_EQ(roleOf("BMPImage"), QAccessible::Graphic);
    EXPECT_EQ(roleOf("ViewPic"), QAccessible::Pane);
    EXPECT_EQ(roleOf("TS"), QAccessible::Grouping);
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(window.form->control("TS").widget())->text(QAccessible::Name),
        QStringLiteral("Arbeitsschritte"));
}
