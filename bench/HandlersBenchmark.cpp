// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the clamp alone and of the zoom handler alone, on a loaded window.

#include "mainwindow/MForm.h"
#include "templateview/Module1.h"
#include "templateview/TemplateHandlers.h"

#include <QApplication>
#include <QSlider>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<MForm> loadedWindow()
{
    auto form = std::make_unique<MForm>();
    form->load();
    form->slider("ZoomSlider").setValue(200);
    return form;
}

double minimum(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

double maximum(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

// Requests that alternate, so that every call writes the picture's Left.
void PlaceImage(benchmark::State &state)
{
    const auto form = loadedWindow();
    float request = -100;
    for (auto _ : state) {
        float left = request;
        float top = 0;
        Module1::PlaceImage(*form, form->state(), left, top);
        request = request == -100 ? -200 : -100;
    }
}

// A slider value that alternates, set without raising Change, then the handler alone.
void ZoomSliderChange(benchmark::State &state)
{
    const auto form = loadedWindow();
    auto *slider = static_cast<QSlider *>(form->control("ZoomSlider").widget());
    int value = 150;
    for (auto _ : state) {
        state.PauseTiming();
        slider->blockSignals(true);
        slider->setValue(value);
        slider->blockSignals(false);
        value = value == 150 ? 151 : 150;
        state.ResumeTiming();
        ZoomSlider_Change(*form, form->state());
    }
}

} // namespace

BENCHMARK(PlaceImage)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK(ZoomSliderChange)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
