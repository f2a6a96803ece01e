#include "support/plain_window.h"

PlainWindow::PlainWindow(const RECT& rc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));  // 128, 128, 128
  wc.lpszClassName = "TavelinTestPlainWindow";
  RegisterClassA(&wc);  // once per process; later calls fail harmlessly
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, rc.left, rc.top, rc.right - rc.left,
                          rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

PlainWindow::~PlainWindow() { Close(); }

RECT PlainWindow::Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void PlainWindow::Close() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

LRESULT CALLBACK PlainWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    if (auto* self = reinterpret_cast<PlainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) ++self->clicks_;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool IsBelow(HWND lower, HWND upper) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == lower) return true;
  }
  return false;
}
