#include "support/caption_fit.h"

#include <gtest/gtest.h>

#include <string>

int ExpectCaptionsFit(HWND dialog) {
  const int mark = GetSystemMetrics(SM_CXMENUCHECK);  // the circle or square, with its gap
  int measured = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[64] = {}, caption[256] = {};
    GetClassNameW(child, kind, 64);
    GetWindowTextW(child, caption, 256);
    const bool button = lstrcmpiW(kind, L"Button") == 0;
    if (caption[0] == L'\0' || (!button && lstrcmpiW(kind, L"Static") != 0)) continue;
    SCOPED_TRACE(testing::PrintToString(std::wstring(caption)));

    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    RECT text{};
    DrawTextW(dc, caption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    RECT client;
    GetClientRect(child, &client);

    int beside = 0;  // what the control draws beside its caption
    const DWORD type = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & BS_TYPEMASK;
    if (button && (type == BS_AUTORADIOBUTTON || type == BS_AUTOCHECKBOX)) beside = mark + 3;
    if (button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) beside = 2 * GetSystemMetrics(SM_CXEDGE) + 2;
    if (button && type == BS_GROUPBOX) beside = 2 * 8;
    EXPECT_LE(text.right + beside, client.right) << "needs " << text.right << " + " << beside;
    EXPECT_LE(text.bottom, client.bottom);
    ++measured;
  }
  return measured;
}
