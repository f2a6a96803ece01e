#include "shared/message_in_front_win32.h"

namespace {

HHOOK g_boxHook = nullptr;
HWND g_boxOwner = nullptr;

void StopRaisingBox() {
  if (g_boxHook != nullptr) (void)UnhookWindowsHookEx(g_boxHook);
  g_boxHook = nullptr;
}

LRESULT CALLBACK RaiseBox(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(g_boxHook, code, wParam, lParam);
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && GetWindow(window, GW_OWNER) == g_boxOwner) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    StopRaisingBox();  // the first window the owner has to become active is the box
  }
  return next;
}

// The system refuses the foreground to a program that is not in front, and
// the clock may sit at the bottom: top-most, the box opens above every window.
void StartRaisingBox(HWND owner) {
  SetForegroundWindow(owner);
  g_boxOwner = owner;
  if (g_boxHook == nullptr) g_boxHook = SetWindowsHookExW(WH_CBT, RaiseBox, nullptr, GetCurrentThreadId());
}

}  // namespace

int MessageBoxInFront(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
  StartRaisingBox(owner);
  const int answer = MessageBoxW(owner, text, title, type | MB_TOPMOST | MB_SETFOREGROUND);
  StopRaisingBox();
  return answer;
}

INT_PTR DialogInFront(HWND owner, HINSTANCE instance, const wchar_t* templateName, DLGPROC proc, LPARAM param) {
  StartRaisingBox(owner);
  const INT_PTR answer = DialogBoxParamW(instance, templateName, owner, proc, param);
  StopRaisingBox();
  return answer;
}
