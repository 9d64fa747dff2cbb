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

#include <iostream>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>

using namespace toolkit;

namespace {

struct Options
{
    std::uint64_t seed = 1;
    int events = 10000;
};

Options options;

// The errors a user can provoke: coordinates beyond a Single (overflow, invalid operation).
const std::set<int> kExpectedErrors = {5, 6};

class RandomUser
{
public:
    explicit RandomUser(std::uint64_t seed)
        : m_random(seed)
    {
        // Both text fields are shown, since no code of the program shows one yet.
        for (std::int16_t i : {0, 1})
            form().textBox("tb", i).setVisible(true);
    }

    // Runs the events; the first broken invariant ends the run with a failure that says how to
    // replay it.
    void run(int events)
    {
        for (int event = 0; event < events; ++event) {
            step();
            if (const auto broken = brokenInvariant()) {
                std::ostringstream history;
                for (const std::string &line : m_history)
                    history << "  " << line << "\n";
                ADD_FAILURE() << "seed " << options.seed << ", event " << event << ": " << *broken
                              << "\nlast events:\n"
                              << history.str() << "replay: random_events_test --seed=" << options.seed
                              << " --events=" << event + 1;
                break;
            }
        }
        releaseAll();
        std::cout << "picture moves " << m_pictureMoves << ", field drags " << m_window.log.beeps
                  << ", errors shown " << m_window.log.errors.size() << std::endl;
    }

private:
    MForm &form() { return *m_window.form; }
    QWindow *window() { return windowOf(form()); }

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    void note(const std::string &line)
    {
        m_history.push_back(line);
        if (m_history.size() > 25)
            m_history.pop_front();
    }

    static std::string describe(QPoint p)
    {
        return "(" + std::to_string(p.x()) + ", " + std::to_string(p.y()) + ")";
    }

    QRect inWindowRect(const Control &control)
    {
        return QRect(inWindow(control, {0, 0}), control.widget()->size());
    }

    QPoint pointIn(const QRect &rect)
    {
        return {uniform(rect.left(), std::max(rect.left(), rect.right())),
                uniform(rect.top(), std::max(rect.top(), rect.bottom()))};
    }

    // A pointer position: mostly on the viewport, the picture and the text fields, sometimes
    // elsewhere in or around the window, sometimes far away.
    QPoint randomPoint()
    {
        const int kind = uniform(0, 99);
        if (kind < 15)
            return pointIn(inWindowRect(form().control("ViewPic")));
        if (kind < 35) {
            const QRect visible =
                inWindowRect(form().control("BMPImage")) & inWindowRect(form().control("ViewPic"));
            return pointIn(visible.isEmpty() ? form().widget()->rect() : visible);
        }
        if (kind < 50) {
            const Control &field = form().control("tb", static_cast<std::int16_t>(uniform(0, 1)));
            return pointIn(inWindowRect(field));
        }
        if (kind < 65)
            return pointIn(form().widget()->rect());
        if (kind < 85)
            return pointIn(form().widget()->rect().adjusted(-300, -300, 300, 300));
        const int magnitude = uniform(3, 8);
        const int far = static_cast<int>(std::pow(10.0, magnitude));
        return {chance(0.5) ? far : -far, uniform(-far, far)};
    }

    Qt::KeyboardModifiers randomModifiers()
    {
        Qt::KeyboardModifiers modifiers;
        if (chance(0.1))
            modifiers |= Qt::ShiftModifier;
        if (chance(0.1))
            modifiers |= Qt::ControlModifier;
        return modifiers;
    }

    void move(QPoint to)
    {
        note("move to " + describe(to));
        QTest::mouseMove(window(), to);
        m_pointer = to;
    }

    void step()
    {
        const float leftBefore = form().image("BMPImage").left();
        stepOnce();
        if (form().image("BMPImage").left() != leftBefore)
            ++m_pictureMoves;
    }

    void stepOnce()
    {
        const int action = uniform(0, 99);
        if (action < 25) {
            // A hand moves on from where it is, a little at a time or in a sweep.
            move(m_pointer + QPoint(uniform(-40, 40), uniform(-40, 40)));
        } else if (action < 35) {
            move(m_pointer + QPoint(uniform(-600, 600), uniform(-400, 400)));
        } else if (action < 40) {
            move(randomPoint());
        } else if (action < 55) {
            press();
        } else if (action < 69) {
            release();
        } else if (action < 72) {
            nonFiniteMove();
        } else if (action < 77) {
            clickTab();
        } else if (action < 82) {
            const int value = chance(0.2) ? uniform(-50, 260) : uniform(100, 200);
            note("zoom " + std::to_string(value));
            form().slider("ZoomSlider").setValue(value);
        } else if (action < 87) {
            clickButton();
        } else if (action < 93) {
            resize();
        } else if (action < 96) {
            changeWindowState();
        } else if (action < 98) {
            key();
        } else {
            putFieldIntoView();
        }
    }

    void press()
    {
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[uniform(0, 2)];
        if (m_held & button)
            return release();
        QPoint at = randomPoint();
        // Everything but ending the program: "&Ende" is never pressed.
        while (inWindowRect(form().control("Btn", 1)).contains(at))
            at = randomPoint();
        note("press " + std::to_string(int(button)) + " at " + describe(at));
        QTest::mousePress(window(), button, randomModifiers(), at);
        m_held |= button;
        m_pointer = at;
    }

    void release()
    {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (m_held & button) {
                const QPoint at = chance(0.7) ? m_pointer : randomPoint();
                note("release " + std::to_string(int(button)) + " at " + describe(at));
                QTest::mouseRelease(window(), button, randomModifiers(), at);
                m_held &= ~Qt::MouseButtons(button);
                m_pointer = at;
                return;
            }
        }
    }

    // Keys that move the focus and switch tabs, also while a button is held; never one that
    // could press "&Ende".
    void key()
    {
        const Qt::Key keys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Left, Qt::Key_Right};
        const Qt::Key pressed = keys[uniform(0, 3)];
        note("key " + std::to_string(int(pressed)));
        QTest::keyClick(window(), pressed);
    }

    void releaseAll()
    {
        while (m_held != Qt::NoButton)
            release();
    }

    // A move whose coordinates are not finite or beyond any Single, sent to a widget of the
    // viewport with the buttons held.
    void nonFiniteMove()
    {
        const double values[] = {std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(), 1e300};
        const QPointF position(values[uniform(0, 3)], chance(0.5) ? 10.0 : values[uniform(0, 3)]);
        const char *targets[] = {"BMPImage", "ViewPic", "TBshadow"};
        QWidget *target = form().control(targets[uniform(0, 2)]).widget();
        note("non-finite move to " + target->objectName().toStdString());
        QMouseEvent event(QEvent::MouseMove, position, position, Qt::NoButton, m_held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    void clickTab()
    {
        if (m_held != Qt::NoButton)
            return move(randomPoint());
        auto *tabs = form().control("TS").widget()->findChild<QTabBar *>();
        const int tab = uniform(0, 1);
        note("click tab " + std::to_string(tab + 1));
        QTest::mouseClick(window(), Qt::LeftButton, {},
                          tabs->mapTo(form().widget(), tabs->tabRect(tab).center()));
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
            Btn_Click(form(), m_window.state(), index);
    }

    void resize()
    {
        if (form().windowState() != 0)
            return changeWindowState();
        // An edge dragged by some way, or any size from a pixel to very large, more of them small.
        const auto size = [&] {
            return static_cast<int>(std::exp(std::uniform_real_distribution<>(0, 7.8)(m_random)));
        };
        const QSize current = form().widget()->size();
        const QSize to = chance(0.6) ? QSize(std::clamp(current.width() + uniform(-300, 300), 1, 2500),
                                             std::clamp(current.height() + uniform(-200, 200), 1, 2000))
                                     : QSize(std::min(size(), 2500), std::min(size(), 2000));
        note("resize to " + std::to_string(to.width()) + " x " + std::to_string(to.height()));
        form().widget()->resize(to);
    }

    void changeWindowState()
    {
        if (m_held != Qt::NoButton)
            return move(randomPoint());
        const int which = uniform(0, 2);
        note(which == 0 ? "minimise" : which == 1 ? "maximise" : "restore");
        if (which == 0)
            form().widget()->showMinimized();
        else if (which == 1)
            form().widget()->showMaximized();
        else
            form().widget()->showNormal();
        QCoreApplication::processEvents();
    }

    // Puts a field that has wandered off back where the user can reach it.
    void putFieldIntoView()
    {
        if (m_held != Qt::NoButton)
            return move(randomPoint());
        TextBox &field = form().textBox("tb", static_cast<std::int16_t>(uniform(0, 1)));
        const Control &viewport = form().control("ViewPic");
        field.move(static_cast<float>(uniform(0, static_cast<int>(viewport.width()) - 675)),
                   static_cast<float>(uniform(0, static_cast<int>(viewport.height()) - 285)));
        note("field " + std::to_string(field.index()) + " put into view");
    }

    std::optional<std::string> brokenInvariant()
    {
        const MForm &f = form();
        const ViewState &state = m_window.state();
        const Image &picture = f.image("BMPImage");
        const Control &viewport = f.control("ViewPic");

        if (f.hasEnded())
            return "the program ended";
        for (int error : m_window.log.errors) {
            if (!kExpectedErrors.count(error))
                return "unexpected runtime error " + std::to_string(error);
        }

        // Along each axis a picture larger than the viewport covers it, one that is not stands at
        // the origin. The limit is the difference as the program stores it, a Single.
        const auto axis = [](float position, float size, float viewportSize) {
            if (size > viewportSize)
                return position <= 0 && position >= storedSingle(double(viewportSize) - size);
            return position == 0;
        };
        if (!axis(picture.left(), picture.width(), viewport.width()))
            return "picture Left " + std::to_string(picture.left()) + " outside its limits (width " +
                   std::to_string(picture.width()) + ", viewport " + std::to_string(viewport.width()) + ")";
        if (!axis(picture.top(), picture.height(), viewport.height()))
            return "picture Top " + std::to_string(picture.top()) + " outside its limits";
        if (state.LastImgLeft != picture.left() || state.LastImgTop != picture.top())
            return "LastImgLeft/LastImgTop differ from the picture's position";

        if (f.windowState() != 1) {
            if (f.width() < 4000 || f.height() < 6000)
                return "window " + std::to_string(f.width()) + " x " + std::to_string(f.height()) +
                       " below the minimum";
            if (viewport.width() != storedSingle(double(f.scaleWidth()) - state.ViewMarginW) ||
                viewport.height() != storedSingle(double(f.scaleHeight()) - state.ViewMarginH))
                return "viewport " + std::to_string(viewport.width()) + " x " +
                       std::to_string(viewport.height()) + " does not fill the inner size " +
                       std::to_string(f.scaleWidth()) + " x " + std::to_string(f.scaleHeight()) +
                       " less the margins (state " + std::to_string(f.windowState()) + ")";
        }

        const bool field0 = f.control("tb", 0).visible();
        const bool field1 = f.control("tb", 1).visible();
        const bool proxy = f.control("TBshadow").visible();
        if (!field0 && !field1)
            return "both text fields hidden";
        if (proxy == (field0 && field1))
            return "the proxy is visible exactly when a field is hidden";
        if (m_held == Qt::NoButton && proxy)
            return "a drag outlived the release of every button";

        return std::nullopt;
    }

    LoadedWindow m_window;
    std::mt19937_64 m_random;
    Qt::MouseButtons m_held;
    QPoint m_pointer;
    int m_pictureMoves = 0;
    std::deque<std::string> m_history;
};

} // namespace

TEST(RandomEventsTest, InvariantsHoldUnderRandomUserInput)
{
    std::cout << "seed " << options.seed << ", " << options.events << " events" << std::endl;
    RandomUser user(options.seed);
    user.run(options.events);
}

// QTest warns at every mouse event outside the window; this test sends thousands on purpose.
void dropOutsideWindowWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("occurs outside target window")))
        return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
}

int main(int argc, char *argv[])
{
    qInstallMessageHandler(dropOutsideWindowWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--seed=", 0) == 0)
            options.seed = std::stoull(argument.substr(7));
        else if (argument.rfind("--events=", 0) == 0)
            options.events = std::stoi(argument.substr(9));
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    return RUN_ALL_TESTS();
}
