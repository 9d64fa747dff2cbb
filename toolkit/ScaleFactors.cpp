// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/ScaleFactors.h"

#include <QByteArray>
#include <QtGlobal>

#include <charconv>
#include <cmath>

namespace toolkit {

namespace {

constexpr double kSmallestFactor = 0.25;
constexpr double kLargestFactor = 8;

std::string_view usable(std::string_view factor)
{
    double value = 0;
    const auto [end, error] = std::from_chars(factor.data(), factor.data() + factor.size(), value);
    const bool number = error == std::errc() && end == factor.data() + factor.size();
    return number && std::isfinite(value) && value >= kSmallestFactor && value <= kLargestFactor ? factor
                                                                                                 : "1";
}

} // namespace

std::string usableScreenScaleFactors(std::string_view factors)
{
    std::string result;
    while (true) {
        const std::size_t end = factors.find(';');
        const std::string_view entry = factors.substr(0, end);
        const std::size_t equals = entry.rfind('=');
        const std::string_view name = equals == std::string_view::npos ? "" : entry.substr(0, equals + 1);
        if (!entry.empty())
            result.append(name).append(usable(entry.substr(name.size())));
        if (end == std::string_view::npos)
            return result;
        result += ';';
        factors.remove_prefix(end + 1);
    }
}

void keepScaleFactorsUsable()
{
    if (qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS")) {
        const QByteArray factors = qgetenv("QT_SCREEN_SCALE_FACTORS");
        qputenv("QT_SCREEN_SCALE_FACTORS",
                QByteArray::fromStdString(usableScreenScaleFactors(factors.toStdString())));
    }
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
        qputenv("QT_SCALE_FACTOR",
                QByteArray(usable(std::string_view(factor.constData(), factor.size())).data()));
    }
}

} // namespace toolkit
