// Watches a window being placed, from inside the placing calls, as a hook of
// the test's thread: what the program asked of the system (the flags and the
// place in the stacking order of every placement), and a test's own step
// taken when a placement is about to happen.
#ifndef TAVELIN_TESTS_WIN32_PLACEMENT_WATCH_H
#define TAVELIN_TESTS_WIN32_PLACEMENT_WATCH_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class PlacementWatch {
 public:
  explicit PlacementWatch(HWND window);
  ~PlacementWatch();
  PlacementWatch(const PlacementWatch&) = delete;
  PlacementWatch& operator=(const PlacementWatch&) = delete;

  // Each WM_WINDOWPOSCHANGING the window received, in order.
  const std::vector<WINDOWPOS>& asked() const { return asked_; }
  // The rectangle of each WM_WINDOWPOSCHANGED that moved or sized it.
  const std::vector<RECT>& placed() const { return placed_; }
  // Called with each WM_WINDOWPOSCHANGING before the window's own procedure.
  std::function<void(const WINDOWPOS&)> onChanging;

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
  static PlacementWatch* current_;
  HWND window_;
  HHOOK hook_;
  std::vector<WINDOWPOS> asked_;
  std::vector<RECT> placed_;
};

// "x,y wxh", for messages.
std::string DescribeRect(const RECT& rc);

#endif
