#pragma once
// Stand-in for window handles and the two window services the stub uses on the installer
// library's dialogs. Windows are objects of the library; the stub only sends them messages.

#include <cstdint>

namespace sfx
{

constexpr unsigned WM_USER = 0x400;
constexpr unsigned PBM_SETPOS = WM_USER + 2;
// Sent to the progress dialog when every phase has run.
constexpr unsigned WM_XR_UNINSTALL_DONE = WM_USER + 14;

constexpr int SW_HIDE = 0;

class CWindow
{
public:
    virtual ~CWindow() = default;
    virtual std::intptr_t sendMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual void showWindow(int cmd) = 0;
};

using HWND = CWindow*;

inline std::intptr_t SendMessage(HWND wnd, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    return wnd ? wnd->sendMessage(msg, wParam, lParam) : 0;
}

inline bool ShowWindow(HWND wnd, int cmd)
{
    if (!wnd)
        return false;
    wnd->showWindow(cmd);
    return true;
}

} // namespace sfx
