// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on Windows' own platform, as Windows has it (Wine on Xvfb, at 96 dpi, here): the
// least size of 4000 x 6000 twips outside, once the window has been made smaller, is the window's
// minimum track size, which Windows keeps for a drag of the frame and for a size given from outside
// alike. Since Windows 10 the window's resize borders on the left, right and bottom are invisible:
// its outer size is the one within them, as the user sees it. (The first show is the end-to-end
// tests' under Wine.)

#include "tests/support/Support.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

HWND handleOf(const MForm &form)
{
    return reinterpret_cast<HWND>(form.widget()->winId());
}

// The window's visible outer rectangle, within its invisible resize borders.
QRect visibleRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const UINT dpi = GetDpiForWindow(window);
    const int border =
        GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) + GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi);
    return QRect(QPoint(rect.left + border, rect.top),
                 QPoint(rect.right - 1 - border, rect.bottom - 1 - border));
}

QSize clientSize(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return QSize(rect.right, rect.bottom);
}

} // namespace

TEST(WindowsWindowTest, TheLeastSizeIsTheMinimumTrackSizeAndHoldsForSizesFromOutside)
{
    LoadedWindow window;
    const HWND handle = handleOf(*window.form);
    const auto resize = [handle](int width, int height) {
        SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Made too small from outside, the window is made 4000 x 6000 twips by its Resize handler:
    // 267 x 400 pixels, the least whole ones.
    resize(100, 100);
    QTRY_ASSERT_EQ(visibleRect(handle).size(), QSize(267, 400));
    // Windows is told: the outer size with the invisible borders is the least it lets the window
    // have.
    MINMAXINFO limits{};
    SendMessageW(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT outer{};
    GetWindowRect(handle, &outer);
    EXPECT_EQ(QSize(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y),
              QSize(outer.right - outer.left, outer.bottom - outer.top));
    resize(150, 150);
    QTRY_ASSERT_EQ(visibleRect(handle).size(), QSize(267, 400));
    // The viewport fills the client area less the margins of 2235 x 195 twips.
    const toolkit::Control &viewport = window.form->control("ViewPic");
    QTRY_ASSERT_EQ(viewport.width() / 15 + 149, float(clientSize(handle).width()));
    EXPECT_EQ(viewport.height() / 15 + 13, float(clientSize(handle).height()));
    EXPECT_TRUE(window.log.errors.empty());
}
