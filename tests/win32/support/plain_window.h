// A plain window of the test's own, one grey (128, 128, 128) all over: a
// backdrop of known colour beneath the figure, a window for a click to
// reach, or a full-screen program in front.
#ifndef TAVELIN_TESTS_WIN32_PLAIN_WINDOW_H
#define TAVELIN_TESTS_WIN32_PLAIN_WINDOW_H

#include <windows.h>

constexpr COLORREF kPlainGrey = RGB(128, 128, 128);

class PlainWindow {
 public:
  // Shown over `rc`, in screen pixels.
  explicit PlainWindow(const RECT& rc);
  ~PlainWindow();
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;

  // The whole primary screen.
  static RECT Screen();

  HWND hwnd() const { return hwnd_; }
  // The left presses it has received so far.
  int clicks() const { return clicks_; }
  void Close();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  int clicks_ = 0;
};

// Whether `lower` comes after `upper` in the stacking order.
bool IsBelow(HWND lower, HWND upper);

#endif
