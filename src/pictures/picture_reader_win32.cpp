#include "pictures/picture_reader_win32.h"

#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <new>
#include <utility>

#include "pictures/bmp_pixels.h"
#include "pictures/keyed_picture.h"
#include "shared/scoped_com_win32.h"

namespace {

struct ReaderState {
  ScopedComApartment apartment;  // outlives the factory: declared first
  ScopedComPtr<IWICImagingFactory> factory;
};
ReaderState* g_reader = nullptr;
int g_readerOpens = 0;

class ScopedFile {
 public:
  explicit ScopedFile(HANDLE file) : file_(file) {}
  ~ScopedFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  HANDLE get() const { return file_; }

 private:
  HANDLE file_;
};

// Names of devices and pipes ("COM1", "aux.bmp", "\\.\pipe\x") resolve into
// the device namespace: they are refused before anything is opened, since
// opening some of them can already wait.
bool IsDeviceName(const char* fileName) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(fileName, sizeof full, full, nullptr);
  return length > 0 && length < sizeof full && std::strncmp(full, "\\\\.\\", 4) == 0;
}

PictureFault FaultOfFailedOpen(const char* fileName, DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return PictureFault::kMissing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return PictureFault::kLocked;
    default: {
      const DWORD attributes = GetFileAttributesA(fileName);
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PictureFault::kNotRegularFile;
      }
      return PictureFault::kUnreadable;
    }
  }
}

// What a failed decoder call means: memory ran out, or the decoder refused.
PictureFault FaultOfDecoder(HRESULT result) {
  return result == E_OUTOFMEMORY ? PictureFault::kOutOfMemory : PictureFault::kDecoderRefused;
}

// Frame 0 of the file in memory, converted to 32-bit BGRA, into `picture`.
PictureFault Decode(IWICImagingFactory* factory, std::string& bytes, DecodedPicture* picture) {
  HRESULT result = S_OK;
  ScopedComPtr<IWICStream> stream;
  if (FAILED(result = factory->CreateStream(stream.put())) ||
      FAILED(result = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(bytes.data()),
                                                   static_cast<DWORD>(bytes.size())))) {
    return FaultOfDecoder(result);
  }
  // The container is the one the header named, never what the decoder guesses.
  const GUID& container =
      picture->header.format == PictureFormat::kPng ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp;
  ScopedComPtr<IWICBitmapDecoder> decoder;
  ScopedComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(result = factory->CreateDecoder(container, nullptr, decoder.put())) ||
      FAILED(result = decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)) ||
      FAILED(result = decoder->GetFrame(0, frame.put()))) {
    return FaultOfDecoder(result);
  }
  UINT width = 0;
  UINT height = 0;
  WICPixelFormatGUID format{};
  if (FAILED(result = frame->GetSize(&width, &height)) || FAILED(result = frame->GetPixelFormat(&format))) {
    return FaultOfDecoder(result);
  }
  if (width != static_cast<UINT>(picture->header.width) || height != static_cast<UINT>(picture->header.height)) {
    return PictureFault::kDecoderRefused;
  }
  ScopedComPtr<IWICFormatConverter> converter;
  if (FAILED(result = factory->CreateFormatConverter(converter.put())) ||
      FAILED(result = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                            nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return FaultOfDecoder(result);
  }
  PixelBuffer pixels;
  // The size passed the limits: only memory can be short.
  if (!pixels.Allocate(static_cast<int>(width), static_cast<int>(height), 0)) return PictureFault::kOutOfMemory;
  const UINT stride = width * sizeof(Pixel);
  if (FAILED(result = converter->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(pixels.data())))) {
    return FaultOfDecoder(result);
  }
  picture->pixels = std::move(pixels);
  return PictureFault::kNone;
}

}  // namespace

bool OpenPictureReader() {
  if (g_readerOpens++ == 0) {
    g_reader = new (std::nothrow) ReaderState;
    if (g_reader != nullptr) {
      (void)CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                             reinterpret_cast<void**>(g_reader->factory.put()));  // checked at each load
    }
  }
  return g_reader != nullptr && g_reader->factory;
}

void ClosePictureReader() {
  if (g_readerOpens > 0 && --g_readerOpens == 0) {
    delete g_reader;
    g_reader = nullptr;
  }
}

PictureFault ReadRegularFile(const char* fileName, std::uint64_t maxBytes, std::string* bytes) {
  if (fileName == nullptr || fileName[0] == '\0') return PictureFault::kMissing;
  if (IsDeviceName(fileName)) return PictureFault::kNotRegularFile;
  const ScopedFile file(
      CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return FaultOfFailedOpen(fileName, GetLastError());
  // Nothing is read from a device, a pipe or a folder.
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return PictureFault::kNotRegularFile;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return PictureFault::kUnreadable;
  if (size.QuadPart == 0) return PictureFault::kEmpty;
  if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return PictureFault::kFileTooLarge;

  std::string read;
  try {
    read.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return PictureFault::kOutOfMemory;
  }
  std::size_t done = 0;
  while (done < read.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), read.data() + done, static_cast<DWORD>(read.size() - done), &got, nullptr)) {
      return GetLastError() == ERROR_LOCK_VIOLATION ? PictureFault::kLocked : PictureFault::kUnreadable;
    }
    if (got == 0) return PictureFault::kCutShort;  // shortened while it was read
    done += got;
  }
  bytes->swap(read);
  return PictureFault::kNone;
}

PictureFault DecodePictureBytes(std::string* bytes, DecodedPicture* picture) {
  *picture = DecodedPicture();
  const PictureFault fault =
      ReadPictureHeader(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size(), &picture->header);
  if (fault != PictureFault::kNone) return fault;
  if (picture->header.IsUncompressedBmp()) {
    // Read here, the same on every system, and never by a decoder that may crash on it.
    // Its size passed the limits: only memory can be short.
    if (!DecodeBmpPixels(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size(), picture->header,
                         &picture->pixels)) {
      return PictureFault::kOutOfMemory;
    }
  } else {
    WidenBmpHeader(bytes, &picture->header);
    if (g_reader == nullptr || !g_reader->factory) return PictureFault::kNotAPicture;
    if (const PictureFault fault = Decode(g_reader->factory.get(), *bytes, picture); fault != PictureFault::kNone) {
      return fault;
    }
  }
  // Both by the file's own word, never by the decoder's.
  picture->hasAlphaChannel = picture->header.MayHaveAlpha();
  picture->cutByAlpha = IsCutByAlpha(picture->header, picture->pixels.view());
  return PictureFault::kNone;
}

PictureFault LoadPictureFile(const char* fileName, DecodedPicture* picture) {
  *picture = DecodedPicture();
  std::string bytes;
  const PictureFault fault = ReadRegularFile(fileName, kMaxPictureFileBytes, &bytes);
  if (fault != PictureFault::kNone) return fault;
  return DecodePictureBytes(&bytes, picture);
}
