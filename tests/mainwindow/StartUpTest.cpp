// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "templateview/Module1.h"
#include "tests/support/Support.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace toolkit;

namespace {

float viewportWidth(const MForm &form)
{
    return form.control("ViewPic").width();
}

// The main window, counting the writes of its own Width and Height.
struct CountingWindow : MForm
{
    void setWidth(float width) override
    {
        ++writes;
        MForm::setWidth(width);
    }
    void setHeight(float height) override
    {
        ++writes;
        MForm::setHeight(height);
    }
    int writes = 0;
};

} // namespace

TEST(StartUpTest, TheWindowAfterLoadAsAUserFindsIt)
{
    LoadedWindow window(false);
    MForm &form = *window.form;
    EXPECT_EQ(window.state().WorkMode, 0);
    form.load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.widget()));
    EXPECT_EQ(form.widget()->windowTitle(), QStringLiteral("Quorvel"));

    // Both layers over the tab strip's page at (60 + 60, 180 + 520), in the window's colour; the
    // first enabled and in front.
    for (std::int16_t i : {1, 2}) {
        const Control &layer = form.control("Layer", i);
        EXPECT_EQ(std::make_pair(layer.left(), layer.top()), std::make_pair(120.0f, 700.0f));
        EXPECT_EQ(layer.widget()->palette().color(QPalette::Window),
                  form.widget()->palette().color(QPalette::Window));
    }
    EXPECT_TRUE(form.control("Layer", 1).enabled());
    EXPECT_FALSE(form.control("Layer", 2).enabled());
    EXPECT_EQ(form.widget()->children().back(), form.control("Layer", 1).widget());
    EXPECT_EQ(window.state().WorkMode, 1);

    // The template measured at its design size, fitted to 144 %, at the origin.
    const Image &picture = form.image("BMPImage");
    EXPECT_EQ(std::make_pair(window.state().TemplateW, window.state().TemplateH),
              std::make_pair(4215.0f, 2055.0f));
    EXPECT_TRUE(picture.stretch());
    EXPECT_EQ(form.frame("ZoomFrame").caption(), "Ansicht 144%");
    EXPECT_EQ(std::make_pair(picture.width(), picture.height()), std::make_pair(6069.6f, 2959.2f));
    EXPECT_EQ(std::make_pair(picture.left(), picture.top()), std::make_pair(0.0f, 0.0f));

    // The window kept its designed size, so the viewport its designed 6075 x 5415.
    EXPECT_EQ(std::make_pair(viewportWidth(form), form.control("ViewPic").height()),
              std::make_pair(6075.0f, 5415.0f));

    const auto &fonts = form.comboBox("FontList");
    ASSERT_EQ(fonts.listCount(), 1);
    EXPECT_EQ(fonts.list(0), "Arial");
    EXPECT_EQ(static_cast<QComboBox *>(fonts.widget())->currentText(), QStringLiteral("Arial"));
    for (const char *hidden : {"TBshadow", "DruckPic"})
        EXPECT_FALSE(form.control(hidden).widget()->isVisible());
    EXPECT_TRUE(window.log.errors.empty());
}

// The minimum tests are strict: a window exactly 6000 twips high (400 pixels) receives no write.
TEST(ResizeTest, AWindowExactlyAtTheMinimumHeightReceivesNoWrite)
{
    CountingWindow form;
    RuntimeLog log;
    observe(form, log);
    form.load();
    resizeInner(form, 300, 400 - 27);
    EXPECT_EQ(form.height(), 6000);
    EXPECT_EQ(form.writes, 0);
}

TEST(ResizeTest, WhileMinimisedNothingChangesAndRestoringFollowsTheWindow)
{
    LoadedWindow window;
    MForm &form = *window.form;
    resizeInner(form, 400, 374);
    float left = -10000;
    float top = 0;
    Module1::PlaceImage(form, window.state(), left, top);
    const float limit = 400 * 15 - 2235 - 6069.6f;
    ASSERT_EQ(form.image("BMPImage").left(), limit);

    form.widget()->showMinimized();
    QTRY_ASSERT_EQ(form.windowState(), 1);
    resizeInner(form, 600, 374);
    EXPECT_EQ(viewportWidth(form), 400 * 15 - 2235);
    EXPECT_EQ(form.image("BMPImage").left(), limit);

    form.widget()->showNormal();
    QTRY_ASSERT_EQ(form.windowState(), 0);
    EXPECT_EQ(viewportWidth(form), 600 * 15 - 2235);
    EXPECT_EQ(form.image("BMPImage").left(), 0);
}
