// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Panning throughput: a drag of many moves over a picture larger than its viewport, each move
// delivered through Qt's event routing and followed by the repaint it causes. Measures Quorvel's
// window and, as the floor, a bare Qt window whose sheet follows the mouse by itself.
//   panning_bench [moves] [runs]
//   panning_moves_per_s <median> <min> <max>
//   floor_moves_per_s <median> <min> <max>

#include "mainwindow/MForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A sheet that follows the mouse within its viewport, as plain Qt code would write it.
class FloorSheet : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent *event) override { m_press = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const QPoint wanted = pos() + event->position().toPoint() - m_press;
        const int left = std::clamp(wanted.x(), parentWidget()->width() - width(), 0);
        const int top = std::clamp(wanted.y(), std::min(0, parentWidget()->height() - height()), 0);
        move(left, top);
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QPoint m_press;
};

// Drags with the left button from `press` through `moves` moves that sweep 100 pixels left and
// back, repainting after each; returns the moves per second.
double drag(QWidget *window, QPoint press, int moves)
{
    QWindow *handle = window->windowHandle();
    QTest::mouseMove(handle, press);
    QTest::mousePress(handle, Qt::LeftButton, {}, press);
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= moves; ++i) {
        const int step = i % 200;
        QTest::mouseMove(handle, press - QPoint(step < 100 ? step : 200 - step, 0));
        QCoreApplication::processEvents();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    QTest::mouseRelease(handle, Qt::LeftButton, {}, press);
    return moves / seconds;
}

void summary(const char *name, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%s %.0f %.0f %.0f\n", name, median, values.front(), values.back());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;

    MForm form;
    form.setErrorPresenter(
        [](const toolkit::RuntimeError &error) { std::fprintf(stderr, "%s\n", error.what()); });
    form.load();
    // 200 %: the picture is 8430 x 4110 twips in the 6075 x 5415 viewport.
    form.slider("ZoomSlider").setValue(200);
    if (!QTest::qWaitForWindowExposed(form.widget()))
        return 1;
    const QWidget *viewport = form.control("ViewPic").widget();
    const QPoint press = viewport->mapTo(form.widget(), QPoint(300, 100));

    QWidget floorWindow;
    floorWindow.resize(554, 374);
    auto *floorViewport = new QWidget(&floorWindow);
    floorViewport->setGeometry(144, 8, 405, 361);
    auto *floorSheet = new FloorSheet(floorViewport);
    floorSheet->setGeometry(0, 0, 562, 274);
    floorWindow.show();
    if (!QTest::qWaitForWindowExposed(&floorWindow))
        return 1;

    std::vector<double> quorvel;
    std::vector<double> floor;
    for (int run = 0; run < runs; ++run) {
        quorvel.push_back(drag(form.widget(), press, moves));
        floor.push_back(drag(&floorWindow, press, moves));
    }
    summary("panning_moves_per_s", quorvel);
    summary("floor_moves_per_s", floor);
    return 0;
}
