// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the real window through Qt with long seeded random sequences of what a user (and a
// hostile one) can do, and checks after every event the invariants that the window's handlers
// promise. Any seed can be replayed:
//   random_events_test --seed=N [--events=M]

#include "mainwindow/CommandButtons.h"
#include "tests/support/Support.h"
#include "toolkit/Arithmetic.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <iostream>
#include <limits>
#include <random>
#include <string>

using namespace toolkit;

namespace {

std::uint64_t seed = 1;
int events = 10000;

class RandomUser
{
public:
    RandomUser()
    {
        // Both text fields are shown, since no code of the program shows one yet.
        for (std::int16_t i : {0, 1})
            form().textBox("tb", i).setVisible(true);
    }

    // Runs the events; the first broken invariant ends the run with how to replay it.
    void run()
    {
        for (int event = 0; event < events; ++event) {
            const float leftBefore = form().image("BMPImage").left();
            act();
            pictureMoves += form().image("BMPImage").left() != leftBefore;
            if (const std::string broken = brokenInvariant(); !broken.empty()) {
                std::string last;
                for (const std::string &line : history)
                    last += "  " + line + "\n";
                ADD_FAILURE() << "seed " << seed << ", event " << event << ": " << broken
                              << "\nlast events:\n"
                              << last << "replay: random_events_test --seed=" << seed
                              << " --events=" << event + 1;
                break;
            }
        }
        while (held != Qt::NoButton)
            release();
        std::cout << "picture moves " << pictureMoves << ", field drags " << window.log.beeps
                  << ", errors shown " << window.log.errors.size() << std::endl;
    }

private:
    MForm &form() { return *window.form; }
    QWindow *qwindow() { return windowOf(form()); }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }

    void note(const std::string &what, QPoint p = {})
    {
        history.push_back(what + " (" + std::to_string(p.x()) + ", " + std::to_string(p.y()) + ")");
        if (history.size() > 25)
            history.pop_front();
    }
    QRect rectOf(const Control &control) { return {inWindow(control, {0, 0}), control.widget()->size()}; }
    QPoint pointIn(const QRect &r)
    {
        return {uniform(r.left(), std::max(r.left(), r.right())),
                uniform(r.top(), std::max(r.top(), r.bottom()))};
    }

    // Mostly on the viewport, the picture and the text fields; sometimes anywhere near the window,
    // sometimes far away.
    QPoint randomPoint()
    {
        const int kind = uniform(0, 99);
        const QRect picture = rectOf(form().control("BMPImage")) & rectOf(form().control("ViewPic"));
        if (kind < 15)
            return pointIn(rectOf(form().control("ViewPic")));
        if (kind < 35)
            return pointIn(picture.isEmpty() ? form().widget()->rect() : picture);
        if (kind < 50)
            return pointIn(rectOf(form().control("tb", static_cast<std::int16_t>(uniform(0, 1)))));
        if (kind < 85)
            return pointIn(form().widget()->rect().adjusted(-300, -300, 300, 300));
        const int far = static_cast<int>(std::pow(10.0, uniform(3, 8)));
        return {chance(0.5) ? far : -far, uniform(-far, far)};
    }

    void move(QPoint to)
    {
        note("move to", to);
        QTest::mouseMove(qwindow(), pointer = to);
    }

    void act()
    {
        const int action = uniform(0, 99);
        if (action < 25)
            move(pointer + QPoint(uniform(-40, 40), uniform(-40, 40)));
        else if (action < 35)
            move(pointer + QPoint(uniform(-600, 600), uniform(-400, 400)));
        else if (action < 40)
            move(randomPoint());
        else if (action < 55)
            press();
        else if (action < 69)
            release();
        else if (action < 72)
            nonFiniteMove();
        else if (action < 77)
            clickTab();
        else if (action < 82)
            zoom(chance(0.2) ? uniform(-50, 260) : uniform(100, 200));
        else if (action < 87)
            clickButton();
        else if (action < 93)
            resize();
        else if (action < 96)
            changeWindowState();
        else if (action < 98)
            key();
        else
            putFieldIntoView();
    }

    void press()
    {
        const Qt::MouseButton button =
            std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[uniform(0, 2)];
        if (held & button)
            return release();
        QPoint at = randomPoint();
        // Everything but ending the program: "&Ende" is never pressed.
        while (rectOf(form().control("Btn", 1)).contains(at))
            at = randomPoint();
        note("press " + std::to_string(int(button)) + " at", at);
        const auto modifiers = (chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier);
        QTest::mousePress(qwindow(), button, modifiers, pointer = at);
        held |= button;
    }

    void release()
    {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (held & button) {
                const QPoint at = chance(0.7) ? pointer : randomPoint();
                note("release " + std::to_string(int(button)) + " at", at);
                QTest::mouseRelease(qwindow(), button, {}, pointer = at);
                held &= ~Qt::MouseButtons(button);
                return;
            }
        }
    }

    // Coordinates that are not finite or beyond any Single, with the buttons held.
    void nonFiniteMove()
    {
        const double values[] = {std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(), 1e300};
        const QPointF position(values[uniform(0, 3)], chance(0.5) ? 10.0 : values[uniform(0, 3)]);
        const char *target = std::array{"BMPImage", "ViewPic", "TBshadow"}[uniform(0, 2)];
        note(std::string("non-finite move to ") + target);
        QMouseEvent event(QEvent::MouseMove, position, position, Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(form().control(target).widget(), &event);
    }

    void clickTab()
    {
        if (held != Qt::NoButton)
            return move(randomPoint());
        auto *tabs = form().control("TS").widget()->findChild<QTabBar *>();
        const int tab = uniform(0, 1);
        note("click tab " + std::to_string(tab + 1));
        QTest::mouseClick(qwindow(), Qt::LeftButton, {},
                          tabs->mapTo(form().widget(), tabs->tabRect(tab).center()));
    }

    void zoom(int value)
    {
        note("zoom " + std::to_string(value));
        form().slider("ZoomSlider").setValue(value);
    }

    // Every button index but "&Ende"'s, and indexes outside the table.
    void clickButton()
    {
        const std::int16_t indexes[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100, -1, -32768, 32767};
        const std::int16_t index = indexes[uniform(0, std::size(indexes) - 1)];
        note("button " + std::to_string(index));
        if (index >= 0 && index <= 10)
            form().dispatch(form().control("Btn", index), Event::Click, {});
        else
            Btn_Click(form(), window.state(), index);
    }

    // An edge dragged by some way, or any size from a pixel to very large, more of them small.
    void resize()
    {
        if (form().windowState() != 0)
            return changeWindowState();
        const auto anySize = [&] {
            return static_cast<int>(std::exp(std::uniform_real_distribution<>(0, 7.8)(random)));
        };
        const QSize now = form().widget()->size();
        const QSize to = chance(0.6) ? QSize(std::clamp(now.width() + uniform(-300, 300), 1, 2500),
                                             std::clamp(now.height() + uniform(-200, 200), 1, 2000))
                                     : QSize(std::min(anySize(), 2500), std::min(anySize(), 2000));
        note("resize to", {to.width(), to.height()});
        form().widget()->resize(to);
    }

    void changeWindowState()
    {
        if (held != Qt::NoButton)
            return move(randomPoint());
        const int which = uniform(0, 2);
        note(std::array{"minimise", "maximise", "restore"}[which]);
        QWidget *w = form().widget();
        which == 0 ? w->showMinimized() : which == 1 ? w->showMaximized() : w->showNormal();
        QCoreApplication::processEvents();
    }

    // Keys that move the focus and switch tabs, also while a button is held.
    void key()
    {
        const Qt::Key pressed =
            std::array{Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Left, Qt::Key_Right}[uniform(0, 3)];
        note("key " + std::to_string(int(pressed)));
        QTest::keyClick(qwindow(), pressed);
    }

    // Puts a field that has wandered off back where the user can reach it.
    void putFieldIntoView()
    {
        if (held != Qt::NoButton)
            return move(randomPoint());
        TextBox &field = form().textBox("tb", static_cast<std::int16_t>(uniform(0, 1)));
        const Control &viewport = form().control("ViewPic");
        field.move(static_cast<float>(uniform(0, static_cast<int>(viewport.width()) - 675)),
                   static_cast<float>(uniform(0, static_cast<int>(viewport.height()) - 285)));
        note("field " + std::to_string(field.index()) + " put into view");
    }

    std::string brokenInvariant()
    {
        const MForm &f = form();
        const ViewState &state = window.state();
        const Image &picture = f.image("BMPImage");
        const Control &viewport = f.control("ViewPic");
        if (f.hasEnded())
            return "the program ended";
        // The errors a user can provoke: coordinates beyond a Single.
        for (int error : window.log.errors)
            if (error != 5 && error != 6)
                return "unexpected runtime error " + std::to_string(error);
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
    std::mt19937_64 random{seed};
    Qt::MouseButtons held;
    QPoint pointer;
    int pictureMoves = 0;
    std::deque<std::string> history;
};

} // namespace

TEST(RandomEventsTest, InvariantsHoldUnderRandomUserInput)
{
    std::cout << "seed " << seed << ", " << events << " events" << std::endl;
    RandomUser().run();
}

int main(int argc, char *argv[])
{
    // QTest warns at every mouse event outside the window; this test sends thousands on purpose.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.contains(QLatin1String("occurs outside target window")))
            std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    for (const std::string &argument : std::vector<std::string>(argv + 1, argv + argc)) {
        if (argument.rfind("--seed=", 0) == 0)
            seed = std::stoull(argument.substr(7));
        else if (argument.rfind("--events=", 0) == 0)
            events = std::stoi(argument.substr(9));
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    return RUN_ALL_TESTS();
}
