#include "support/special_files.h"

#include <cstdio>
#include <cstdlib>

#include "pictures/picture_header.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/test_pictures.h"

void FinishOrFail(const std::function<void()>& work) {
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* parameter) -> DWORD {
        (*static_cast<const std::function<void()>*>(parameter))();
        return 0;
      },
      const_cast<std::function<void()>*>(&work), 0, nullptr);
  if (thread == nullptr || WaitForSingleObject(thread, kDeviceWaitBound) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "FAILED: still waiting after %lu ms, on a device or pipe\n", kDeviceWaitBound);
    std::fflush(stderr);
    std::_Exit(1);
  }
  CloseHandle(thread);
}

SpecialFiles::SpecialFiles(const std::string& where) {
  static int count = 0;
  const std::string pipeName =
      "\\\\.\\pipe\\tavelin-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
  // A server that never writes: a reader that opened it would wait for ever.
  pipe_ = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
  devices = {"COM1", "AUX", "aux.bmp", "NUL", "CON", pipeName};

  folder = where + "pictures";
  CreateDirectoryA(folder.c_str(), nullptr);

  locked = where + "locked.bmp";
  WriteFileBytes(locked, BmpBytes(MakeTestFace().view()));
  lock_ = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);

  // Sparse where the file system allows: only the head is written.
  beyondCap = where + "beyond_cap.bmp";
  WriteFileBytes(beyondCap, BmpBytes(MakeTestFace().view()));
  HANDLE big = CreateFileA(beyondCap.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(kMaxPictureFileBytes) + 1;
  SetFilePointerEx(big, end, nullptr, FILE_BEGIN);
  SetEndOfFile(big);
  CloseHandle(big);
}

SpecialFiles::~SpecialFiles() {
  if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
  if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
  DeleteFileA(beyondCap.c_str());
  DeleteFileA(locked.c_str());
  RemoveDirectoryA(folder.c_str());
}
