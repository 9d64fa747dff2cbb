// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What Windows itself says and does, without Qt, for the end-to-end tests under Wine. Since
// Windows 10 the frame's resize borders on the left, right and bottom are invisible, and a
// window's visible edges lie within them. All in device pixels.
//   windows_probe                 prints "<left> <top> <right> <bottom> <border> <x> <y> <width>
//                                 <height> <dpi>": the visible frame of a sizable window with a
//                                 caption, its invisible resize border, the primary monitor's work
//                                 area and the system's dots per inch
//   windows_probe client          prints "<x> <y> <width> <height>", the client area of the window
//                                 "Quorvel" on the screen
//   windows_probe size <w> <h>    gives that window that outer size, borders included, as another
//                                 program does
//   windows_probe maximise        maximises it, restore restores it, close closes it, as the
//   windows_probe restore         taskbar does
//   windows_probe close

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int printFrame()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuorvelFrameProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    const UINT dpi = GetDpiForWindow(window);
    const long border =
        GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) + GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld %ld %u\n", origin.x - outer.left - border,
                origin.y - outer.top, outer.right - origin.x - client.right - border,
                outer.bottom - origin.y - client.bottom - border, border, work.left, work.top,
                work.right - work.left, work.bottom - work.top, dpi);
    DestroyWindow(window);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (argc == 1)
        return printFrame();
    HWND quorvel = FindWindowW(nullptr, L"Quorvel");
    if (!quorvel)
        return 1;
    const char *command = argv[1];
    if (std::strcmp(command, "client") == 0) {
        RECT client{};
        POINT origin{0, 0};
        GetClientRect(quorvel, &client);
        ClientToScreen(quorvel, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
        return 0;
    }
    if (std::strcmp(command, "size") == 0 && argc == 4)
        return SetWindowPos(quorvel, nullptr, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    if (std::strcmp(command, "maximise") == 0)
        return ShowWindow(quorvel, SW_MAXIMIZE), 0;
    if (std::strcmp(command, "restore") == 0)
        return ShowWindow(quorvel, SW_RESTORE), 0;
    if (std::strcmp(command, "close") == 0)
        return PostMessageW(quorvel, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
