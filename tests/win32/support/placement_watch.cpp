#include "support/placement_watch.h"

PlacementWatch* PlacementWatch::current_ = nullptr;

PlacementWatch::PlacementWatch(HWND window) : window_(window) {
  current_ = this;
  hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Proc, nullptr, GetCurrentThreadId());
}

PlacementWatch::~PlacementWatch() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  current_ = nullptr;
}

LRESULT CALLBACK PlacementWatch::Proc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  PlacementWatch* watch = current_;
  if (code == HC_ACTION && watch != nullptr && call->hwnd == watch->window_) {
    const auto& pos = *reinterpret_cast<const WINDOWPOS*>(call->lParam);
    if (call->message == WM_WINDOWPOSCHANGING) {
      watch->asked_.push_back(pos);
      if (watch->onChanging) watch->onChanging(pos);
    } else if (call->message == WM_WINDOWPOSCHANGED &&
               (pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
      watch->placed_.push_back({pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy});
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string DescribeRect(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right - rc.left) + "x" +
         std::to_string(rc.bottom - rc.top);
}
