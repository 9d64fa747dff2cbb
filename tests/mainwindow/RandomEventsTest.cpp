// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the real window through Qt with long seeded random sequences of what a user can do, and
// checks after every event the invariants that the window's handlers promise. Any seed can be
// replayed, up to the event that broke an invariant:
//   QUORVEL_SEED=N QUORVEL_EVENTS=M random_events_test

#include "mainwindow/CommandButtons.h"
#include "tests/support/Support.h"
#include "toolkit/Arithmetic.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <random>
#include <string>

using namespace toolkit;

namespace {

class RandomUser
{
public:
    RandomUser()
    {
        // QTest warns at every mouse event outside the window; this test sends thousands on purpose.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.contains(QLatin1String("occurs outside target window")))
                std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
        });
        // Both text fields are shown, since no code of the program shows one yet.
        for (std::int16_t i : {0, 1})
            form().textBox("tb", i).setVisible(true);
    }

    ~RandomUser() { qInstallMessageHandler(nullptr); }

    void run()
    {
        for (int event = 0; event < events; ++event) {
            act();
            if (const std::string broken = brokenInvariant(); !broken.empty()) {
                ADD_FAILURE() << "seed " << seed << ", event " << event << " (" << last << "): " << broken
                              << "\nreplay: QUORVEL_SEED=" << seed << " QUORVEL_EVENTS=" << event + 1
                              << " random_events_test";
                break;
            }
        }
        while (held != Qt::NoButton)
            act(50);
    }

private:
    MForm &form() { return *window.form; }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    QRect rectOf(std::string_view name, std::int16_t index = kNoIndex)
    {
        const Control &control = form().control(name, index);
        return {inWindow(control, {0, 0}), control.widget()->size()};
    }
    QPoint pointIn(const QRect &r)
    {
        return {uniform(r.left(), std::max(r.left(), r.right())),
                uniform(r.top(), std::max(r.top(), r.bottom()))};
    }

    // Mostly on the picture and the text fields; sometimes anywhere near the window, sometimes far
    // away. Never on "&Ende".
    QPoint randomPoint()
    {
        const int kind = uniform(0, 99);
        const QRect picture = rectOf("BMPImage") & rectOf("ViewPic");
        const int far = static_cast<int>(std::pow(10.0, uniform(3, 8)));
        const QPoint point = kind < 35   ? pointIn(picture.isEmpty() ? rectOf("ViewPic") : picture)
                             : kind < 50 ? pointIn(rectOf("tb", static_cast<std::int16_t>(uniform(0, 1))))
                             : kind < 85 ? pointIn(form().widget()->rect().adjusted(-300, -300, 300, 300))
                                         : QPoint(chance(0.5) ? far : -far, uniform(-far, far));
        return rectOf("Btn", 1).contains(point) ? randomPoint() : point;
    }

    // Moves, presses and releases of any button, with Shift now and then; tab clicks and keys that
    // switch the work tabs, also while a button is held; the zoom, the buttons with their indexes
    // and ones outside the table; resizes, more of them small, and the window's states.
    void act(int action = -1)
    {
        QWindow *qwindow = windowOf(form());
        QWidget *widget = form().widget();
        const Qt::MouseButton button =
            std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[uniform(0, 2)];
        const std::int16_t buttons[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100, -1, -32768, 32767};
        const auto anySize = [&] {
            return static_cast<int>(std::exp(std::uniform_real_distribution<>(0, 7.8)(random)));
        };
        switch (action < 0 ? uniform(0, 11) : action / 10) {
        case 0:
        case 1:
        case 2:
            last = "move";
            QTest::mouseMove(qwindow, pointer = chance(0.7)
                                                    ? pointer + QPoint(uniform(-40, 40), uniform(-40, 40))
                                                    : randomPoint());
            break;
        case 3:
            last = "press";
            if (!(held & button)) {
                QTest::mousePress(qwindow, button, chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier,
                                  pointer = randomPoint());
                held |= button;
                break;
            }
            [[fallthrough]];
        case 4:
        case 5:
            last = "release";
            for (Qt::MouseButton down : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                if (held & down) {
                    QTest::mouseRelease(qwindow, down, {}, pointer = chance(0.7) ? pointer : randomPoint());
                    held &= ~Qt::MouseButtons(down);
                    break;
                }
            }
            break;
        case 6:
            last = "tab";
            if (held == Qt::NoButton)
                clickTab(form(), uniform(0, 1));
            else
                QTest::keyClick(qwindow, std::array{Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Left,
                                                    Qt::Key_Right}[uniform(0, 3)]);
            break;
        case 7:
            last = "zoom";
            form().slider("ZoomSlider").setValue(chance(0.2) ? uniform(-50, 260) : uniform(100, 200));
            break;
        case 8:
            last = "button";
            Btn_Click(form(), window.state(), buttons[uniform(0, std::size(buttons) - 1)]);
            break;
        case 9:
        case 10:
            if (form().windowState() == 0) {
                last = "resize";
                const QSize now = widget->size();
                widget->resize(chance(0.6) ? QSize(std::clamp(now.width() + uniform(-300, 300), 1, 2500),
                                                   std::clamp(now.height() + uniform(-200, 200), 1, 2000))
                                           : QSize(std::min(anySize(), 2500), std::min(anySize(), 2000)));
                break;
            }
            [[fallthrough]];
        default: {
            if (held != Qt::NoButton)
                break;
            const int state = uniform(0, 2);
            last = std::array{"minimise", "maximise", "restore"}[state];
            state == 0   ? widget->showMinimized()
            : state == 1 ? widget->showMaximized()
                         : widget->showNormal();
            QCoreApplication::processEvents();
        }
        }
    }

    std::string brokenInvariant()
    {
        const MForm &f = form();
        const ViewState &state = window.state();
        const Image &picture = f.image("BMPImage");
        const Control &viewport = f.control("ViewPic");
        if (f.hasEnded() || !window.log.errors.empty())
            return "the program ended or showed an error";
        // Along each axis a picture larger than the viewport covers it, as far as the difference
        // stored as a Single; one that is not stands at the origin.
        const auto axis = [](float position, float size, float viewportSize) {
            return size > viewportSize
                       ? position <= 0 && position >= storedSingle(double(viewportSize) - size)
                       : position == 0;
        };
        if (!axis(picture.left(), picture.width(), viewport.width()) ||
            !axis(picture.top(), picture.height(), viewport.height()))
            return "the picture outside its limits";
        if (state.LastImgLeft != picture.left() || state.LastImgTop != picture.top())
            return "LastImgLeft/LastImgTop differ from the picture's position";
        if (f.windowState() != 1 && (f.width() < 4000 || f.height() < 6000))
            return "the window below the minimum";
        if (f.windowState() != 1 &&
            (viewport.width() != storedSingle(double(f.scaleWidth()) - state.ViewMarginW) ||
             viewport.height() != storedSingle(double(f.scaleHeight()) - state.ViewMarginH)))
            return "the viewport does not fill the inner size less the margins";
        const bool field0 = f.control("tb", 0).visible();
        const bool field1 = f.control("tb", 1).visible();
        const bool proxy = f.control("TBshadow").visible();
        if (!field0 && !field1)
            return "both text fields hidden";
        if (proxy == (field0 && field1))
            return "the proxy is visible exactly when a field is hidden";
        if (held == Qt::NoButton && proxy)
            return "a drag outlived the release of every button";
        return {};
    }

    LoadedWindow window;
    const std::uint64_t seed = qEnvironmentVariableIntValue("QUORVEL_SEED");
    const int events =
        qEnvironmentVariableIsSet("QUORVEL_EVENTS") ? qEnvironmentVariableIntValue("QUORVEL_EVENTS") : 10000;
    std::mt19937_64 random{seed};
    Qt::MouseButtons held;
    QPoint pointer;
    std::string last;
};

} // namespace

TEST(RandomEventsTest, InvariantsHoldUnderRandomUserInput)
{
    RandomUser().run();
}
