#include "box_watcher.h"

namespace {

struct Search {
  const std::wstring* title;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t className[16] = {};
  wchar_t text[256] = {};
  GetClassNameW(hwnd, className, 16);
  if (IsWindowVisible(hwnd) && lstrcmpW(className, L"#32770") == 0 && GetWindowTextW(hwnd, text, 256) > 0 &&
      *search->title == text) {
    search->boxes.push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

BoxWatcher::BoxWatcher(const wchar_t* title) : title_(title) {
  InitializeCriticalSection(&lock_);
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

BoxWatcher::~BoxWatcher() {
  InterlockedExchange(&stop_, 1);
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
  }
  DeleteCriticalSection(&lock_);
}

std::vector<std::wstring> BoxWatcher::Texts() {
  EnterCriticalSection(&lock_);
  std::vector<std::wstring> texts = texts_;
  LeaveCriticalSection(&lock_);
  return texts;
}

DWORD WINAPI BoxWatcher::Run(void* self) {
  auto* watcher = static_cast<BoxWatcher*>(self);
  while (InterlockedCompareExchange(&watcher->stop_, 0, 0) == 0) {
    watcher->Scan();
    Sleep(50);
  }
  return 0;
}

void BoxWatcher::Scan() {
  Search search{&title_, {}};
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
  for (HWND box : search.boxes) {
    bool seen = false;
    for (HWND old : answered_) seen = seen || old == box;
    if (seen) continue;
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);  // the box's message text
    EnterCriticalSection(&lock_);
    texts_.push_back(text);
    LeaveCriticalSection(&lock_);
    answered_.push_back(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}
