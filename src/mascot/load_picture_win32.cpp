#include "mascot/load_picture_win32.h"

#include <cstdint>

#include "mascot/bmp_header.h"

bool IsWholeBmpFile(const char* fileName) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  unsigned char head[kBmpHeadBytes];
  DWORD read = 0;
  const bool readable = GetFileSizeEx(file, &size) && ReadFile(file, head, sizeof head, &read, nullptr);
  CloseHandle(file);
  return readable && IsLoadableBmp(head, read, static_cast<std::uint64_t>(size.QuadPart));
}

// The decoder is not trusted with a short file: it may make a picture of what
// is missing.
ScopedBitmap LoadPicture(const char* fileName) {
  if (!IsWholeBmpFile(fileName)) return ScopedBitmap();
  return ScopedBitmap(static_cast<HBITMAP>(LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}
