// Watches, from a thread of its own, for message boxes with a given title in
// any process, keeps their texts and answers each with OK.
#ifndef TAVELIN_TESTS_WIN32_BOX_WATCHER_H
#define TAVELIN_TESTS_WIN32_BOX_WATCHER_H

#include <windows.h>

#include <string>
#include <vector>

class BoxWatcher {
 public:
  explicit BoxWatcher(const wchar_t* title);
  ~BoxWatcher();
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  // The texts of the boxes seen so far, in order.
  std::vector<std::wstring> Texts();

 private:
  static DWORD WINAPI Run(void* self);
  void Scan();

  std::wstring title_;
  CRITICAL_SECTION lock_;
  std::vector<std::wstring> texts_;
  std::vector<HWND> answered_;
  volatile LONG stop_ = 0;
  HANDLE thread_ = nullptr;
};

#endif
