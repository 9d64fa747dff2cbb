#include "mainwindow/MFormDesign.h"
#include "tests/support/Support.h"
#include "toolkit/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace toolkit;

namespace {

std::string nameOf(const Control &control)
{
    return control.index() == kNoIndex ? control.name()
                                       : control.name() + "(" + std::to_string(control.index()) + ")";
}

// The controls of the window by the widget that shows them, focus proxies included.
std::map<const QWidget *, Control *> controlsByWidget(const Form &form)
{
    std::map<const QWidget *, Control *> byWidget;
    for (Control *control : form.controls()) {
        byWidget[control->widget()] = control;
        if (control->widget()->focusProxy())
            byWidget[control->widget()->focusProxy()] = control;
    }
    return byWidget;
}

QString shownText(const QString &caption)
{
    QString text = caption;
    return text.remove(QLatin1Char('&'));
}

} // namespace

TEST(DesignTest, EveryControlStandsInItsContainerAtItsDesignedPixels)
{
    LoadedWindow window(false);
    MForm &form = *window.form;
    ASSERT_EQ(form.controls().size(), 29u);
    for (const ControlDesign &design : mform_design::kControls) {
        SCOPED_TRACE(std::string(design.name) + " " + std::to_string(design.index));
        const Control &control = form.control(design.name, design.index);
        const Control &container = form.control(design.container, design.containerIndex);
        EXPECT_EQ(control.widget()->parentWidget(), container.widget());
        EXPECT_EQ(control.widget()->geometry(),
                  QRect(pixelsFromTwips(design.left), pixelsFromTwips(design.top),
                        pixelsFromTwips(design.width), pixelsFromTwips(design.height)));
    }
    // A few as the user sees them: the viewport fills the right of the 554 x 374 client area, and
    // the hidden print picture reaches 16 pixels past the viewport's left edge.
    EXPECT_EQ(form.widget()->size(), QSize(554, 374));
    EXPECT_EQ(form.control("ViewPic").widget()->geometry(), QRect(144, 8, 405, 361));
    EXPECT_EQ(form.control("DruckPic").widget()->x(), -16);
    EXPECT_EQ(form.control("BMPImage").widget()->geometry(), QRect(52, 32, 281, 137));
}

TEST(DesignTest, FocusMovesInTabIndexOrder)
{
    // TabIndex runs from 0 to 27 without gaps; only the image has none.
    std::set<int> tabIndexes;
    for (const ControlDesign &design : mform_design::kControls) {
        if (design.tabIndex != kNoTabIndex)
            tabIndexes.insert(design.tabIndex);
    }
    EXPECT_EQ(tabIndexes.size(), 28u);
    EXPECT_EQ(*tabIndexes.begin(), 0);
    EXPECT_EQ(*tabIndexes.rbegin(), 27);

    LoadedWindow window(false);
    const auto byWidget = controlsByWidget(*window.form);
    std::vector<int> chain;
    const QWidget *start = window.form->widget();
    for (const QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
        const auto found = byWidget.find(w);
        if (found != byWidget.end() && w->focusPolicy() & Qt::TabFocus)
            chain.push_back(found->second->tabIndex());
    }
    // Every control that takes focus, in rising TabIndex: the tab strip, the slider, the buttons,
    // the font tools, the check box and the text fields.
    const std::vector<int> expected = {2,  4,  6,  7,  8,  9,  10, 13, 14, 16, 17,
                                       18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
    EXPECT_EQ(chain, expected);
}

TEST(DesignTest, ControlsStandInTheirDesignedFrontToBackOrder)
{
    LoadedWindow window(false);
    const auto byWidget = controlsByWidget(*window.form);
    const auto frontToBack = [&](const Control &container) {
        std::vector<std::string> names;
        const QObjectList &children = container.widget()->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            const auto found = byWidget.find(qobject_cast<QWidget *>(*child));
            if (found != byWidget.end())
                names.push_back(nameOf(*found->second));
        }
        return names;
    };
    const MForm &form = *window.form;
    using Names = std::vector<std::string>;
    EXPECT_EQ(frontToBack(form),
              (Names{"Layer(2)", "Layer(1)", "Btn(2)", "Btn(0)", "Btn(1)", "ZoomFrame", "TS", "ViewPic"}));
    EXPECT_EQ(frontToBack(form.control("Layer", 1)),
              (Names{"FontStyleChk(2)", "FontStyleChk(1)", "FontStyleChk(0)", "FontList", "Btn(10)", "Btn(9)",
                     "Btn(8)", "Btn(7)"}));
    EXPECT_EQ(frontToBack(form.control("Layer", 2)), (Names{"Picture1", "Btn(6)", "Btn(5)"}));
    EXPECT_EQ(frontToBack(form.control("ZoomFrame")), (Names{"Btn(4)", "Btn(3)", "ZoomSlider", "Label1"}));
    EXPECT_EQ(frontToBack(form.control("ViewPic")),
              (Names{"tb(1)", "TBshadow", "tb(0)", "DruckPic", "BMPImage"}));
}

TEST(DesignTest, DisabledAndHiddenControlsAsDesigned)
{
    LoadedWindow window(false);
    const std::set<std::string> disabled = {
        "Layer(1)", "Layer(2)", "ZoomFrame", "Btn(0)",          "Btn(2)",          "Btn(7)",         "Btn(8)",
        "Btn(9)",   "Btn(10)",  "FontList",  "FontStyleChk(0)", "FontStyleChk(1)", "FontStyleChk(2)"};
    const std::set<std::string> hidden = {"tb(0)", "tb(1)", "TBshadow", "DruckPic"};
    for (const Control *control : window.form->controls()) {
        SCOPED_TRACE(nameOf(*control));
        EXPECT_EQ(control->widget()->testAttribute(Qt::WA_ForceDisabled),
                  disabled.count(nameOf(*control)) == 1);
        EXPECT_EQ(control->widget()->isHidden(), hidden.count(nameOf(*control)) == 1);
    }
    // Inside the disabled frame the slider and the zoom buttons take no input either.
    EXPECT_FALSE(window.form->control("ZoomSlider").widget()->isEnabled());
    EXPECT_FALSE(window.form->control("Btn", 3).widget()->isEnabled());
}

// The names assistive technology reads are checked against every caption of the design in the
// accessibility test; here what only the widgets show.
TEST(DesignTest, CaptionsAsDrawn)
{
    LoadedWindow window(false);
    const MForm &form = *window.form;
    EXPECT_EQ(form.widget()->windowTitle(), QStringLiteral("Form1"));
    // The access key is marked for Qt, which underlines it instead of showing the "&".
    EXPECT_EQ(static_cast<QAbstractButton *>(form.control("Btn", 1).widget())->text(),
              QStringLiteral("&Ende"));
    // The symbol font's character 243 is drawn as the left-right white arrow.
    EXPECT_EQ(form.control("Btn", 4).caption(), "\u00f3");
    EXPECT_EQ(static_cast<QAbstractButton *>(form.control("Btn", 4).widget())->text(),
              QString(QChar(0x2B04)));
    EXPECT_FALSE(static_cast<QAbstractButton *>(form.control("BgChk").widget())->isChecked());
    const auto *tabs = form.control("TS").widget()->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Bearbeiten"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Anwenden"));
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST(DesignTest, FontsResolveToInstalledFontsInTheirStyles)
{
    LoadedWindow window(false);
    const MForm &form = *window.form;
    const auto info = [&](std::string_view name, std::int16_t index = kNoIndex) {
        return QFontInfo(form.control(name, index).widget()->font());
    };
    EXPECT_EQ(info("Btn", 1).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(info("FontStyleChk", 0).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(info("FontStyleChk", 0).bold());
    EXPECT_TRUE(info("FontStyleChk", 1).italic());
    EXPECT_TRUE(info("FontStyleChk", 2).underline());
    EXPECT_TRUE(info("Label1").bold());
    EXPECT_DOUBLE_EQ(info("Label1").pointSizeF(), 12.0);
    EXPECT_EQ(info("Btn", 3).family(), QStringLiteral("Liberation Sans"));
    EXPECT_DOUBLE_EQ(info("Btn", 3).pointSizeF(), 6.75);
    // The arrow of the fit button is in the symbol font's own face, not in a fallback.
    const QFont symbol = form.control("Btn", 4).widget()->font();
    EXPECT_EQ(QFontInfo(symbol).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(QRawFont::fromFont(symbol).supportsCharacter(0x2B04));
}

TEST(DesignTest, EveryCaptionFitsItsControl)
{
    LoadedWindow window;
    for (const Control *control : window.form->controls()) {
        QWidget *widget = control->widget();
        const QString caption = shownText(QString::fromStdString(control->displayedCaption()));
        if (caption.trimmed().isEmpty())
            continue;
        SCOPED_TRACE(nameOf(*control));
        const QFontMetrics metrics(widget->font());
        if (auto *button = qobject_cast<QPushButton *>(widget); button && !button->icon().isNull()) {
            // Picture buttons: the caption wraps under the 32 pixel picture.
            const QRect captionArea(2, 37, widget->width() - 4, widget->height() - 39);
            const QRect needed =
                metrics.boundingRect(captionArea, Qt::AlignHCenter | Qt::TextWordWrap, caption);
            EXPECT_TRUE(captionArea.contains(needed)) << needed.width() << "x" << needed.height();
            for (const QString &word : caption.split(QLatin1Char(' ')))
                EXPECT_LE(metrics.horizontalAdvance(word), captionArea.width());
        } else if (qobject_cast<QCheckBox *>(widget)) {
            EXPECT_LE(metrics.horizontalAdvance(caption) + 20, widget->width());
        } else {
            EXPECT_LE(metrics.horizontalAdvance(caption) + 4, widget->width());
        }
        EXPECT_LE(metrics.height(), widget->height() + 2);
    }
    // Both tabs fit the strip without scroll buttons.
    const auto *tabs = window.form->control("TS").widget()->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_LE(tabs->tabRect(1).right(), tabs->width() - 1);
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_LE(tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)), tabs->tabRect(i).width() - 4);
}

TEST(DesignTest, PictureButtonsShowSixteenColourIconsOf32Pixels)
{
    LoadedWindow window(false);
    for (std::int16_t index : {5, 6, 7, 8, 9, 10}) {
        SCOPED_TRACE(index);
        auto *button = static_cast<QPushButton *>(window.form->control("Btn", index).widget());
        ASSERT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->iconSize(), QSize(32, 32));
        const QImage image = button->icon().pixmap(QSize(32, 32), 1.0).toImage();
        EXPECT_EQ(image.size(), QSize(32, 32));
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    colours.insert(image.pixel(x, y));
        EXPECT_GE(colours.size(), 3u);
        EXPECT_LE(colours.size(), 16u);
    }
    // Both "Formular öffnen" buttons show the same picture, on different layers.
    const auto &open5 = window.form->commandButton("Btn", 5);
    const auto &open8 = window.form->commandButton("Btn", 8);
    EXPECT_EQ(open5.picture().icon(), open8.picture().icon());
    EXPECT_NE(open5.container(), open8.container());
    // The window's icon has its 32 and 16 pixel images.
    const QList<QSize> sizes = window.form->widget()->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

TEST(DesignTest, SliderAndColoursAsDesigned)
{
    LoadedWindow window(false);
    const auto *slider = static_cast<QSlider *>(window.form->control("ZoomSlider").widget());
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 200);
    EXPECT_EQ(slider->singleStep(), 1);
    EXPECT_EQ(slider->pageStep(), 25);
    EXPECT_EQ(slider->tickInterval(), 20);
    EXPECT_EQ(slider->value(), 10);

    const auto background = [&](std::string_view name, std::int16_t index = kNoIndex) {
        return window.form->control(name, index).widget()->palette().color(QPalette::Window);
    };
    EXPECT_EQ(background("Layer", 1), QColor(128, 255, 128));
    EXPECT_EQ(background("Layer", 2), QColor(255, 192, 128));
    EXPECT_EQ(background("ViewPic"), QColor(255, 255, 192));
    EXPECT_EQ(window.form->backColor(), Color::system(SystemColor::MenuBackground));
    EXPECT_EQ(window.form->widget()->palette().color(QPalette::Window),
              QApplication::palette("QMenu").color(QPalette::Window));
}

TEST(DesignTest, DisabledButtonsAndTheDisabledZoomFrameTakeNoInput)
{
    LoadedWindow window;
    QWindow *qwindow = windowOf(*window.form);
    for (std::int16_t index : {0, 2, 3, 4})
        QTest::mouseClick(qwindow, Qt::LeftButton, {}, centreInWindow(window.form->control("Btn", index)));
    QTest::mouseClick(qwindow, Qt::LeftButton, {}, inWindow(window.form->control("ZoomSlider"), {70, 9}));
    QTest::keyClick(qwindow, Qt::Key_I, Qt::AltModifier);
    QTest::keyClick(qwindow, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(window.log.beeps, 0);
    EXPECT_EQ(window.form->slider("ZoomSlider").value(), 144);
}
