#pragma once
// Message boxes: a real dialog when the stub runs with a display, a console prompt otherwise.
//
// Tests answer boxes without a person:
//   TOLVANE_MSGBOX_ANSWERS  comma-separated answers (yes, no, ok) taken in order; once the list
//                           is used up every further box takes its default (No, or OK)
//   TOLVANE_MSGBOX_LOG      file that receives one JSON line per box: caption, text, flags, answer

#include "SfxText.h"
#include "SfxWindow.h"

namespace sfx
{

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TOPMOST = 0x40000;

constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBox(HWND owner, const WString& text, const WString& caption, unsigned flags);

} // namespace sfx
