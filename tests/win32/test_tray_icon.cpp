// The program's icon: the one icon of Tavelin.exe, with its eight sizes, and
// the image the tray gets at the screen's DPI, at start, after a change of
// scale and when the notification area comes back. Runs at 96 DPI and, with
// TAVELIN_LOGPIXELS set, in prefixes whose LogPixels are 144 and 192.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "desktop/tray_win32.h"
#include "shared/dpi_win32.h"
#include "support/clock_fixture.h"

namespace {

#pragma pack(push, 2)
struct GroupEntry {  // one image of an icon group, as resources hold it
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The shell's small icon at the common scales.
int SmallIconSide(int dpi) {
  switch (dpi) {
    case 96: return 16;
    case 120: return 20;
    case 144: return 24;
    case 192: return 32;
    default: return 0;
  }
}

// The image of the icon, 32-bit pixels top-down, alpha included.
struct IconImage {
  int width = 0, height = 0, bitCount = 0;
  std::vector<DWORD> pixels;
};

IconImage ReadIcon(HICON icon) {
  IconImage image;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return image;
  BITMAP bitmap{};
  if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap) != 0) {
    image.width = bitmap.bmWidth;
    image.height = bitmap.bmHeight;
    image.bitCount = bitmap.bmBitsPixel;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(image.height), image.pixels.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return image;
}

// The alpha bytes of the icon's own image of that side, as the resource
// stores it (bottom-up), turned top-down; empty when it has none.
std::vector<BYTE> StoredAlpha(HMODULE module, int side) {
  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_TRAY), RT_GROUP_ICON);
  if (group == nullptr) return {};
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  const int id = LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
  HRSRC entry = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
  if (entry == nullptr) return {};
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, entry)));
  if (header->biWidth != side || header->biBitCount != 32) return {};
  const auto* bgra = reinterpret_cast<const BYTE*>(header) + header->biSize;
  std::vector<BYTE> alpha(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) alpha[static_cast<size_t>(y) * side + x] = bgra[((side - 1 - y) * side + x) * 4 + 3];
  return alpha;
}

// Explorer shows a program's first icon group as its icon: Tavelin.exe has
// exactly one, the tray's, drawn at every size the shell asks for.
TEST(ProgramIcon, TheProgramFileCarriesTheTrayIconWithItsEightSizes) {
  const std::wstring exe = WidePath(PathFromEnvironment("TAVELIN_EXE"));
  ASSERT_FALSE(exe.empty()) << "TAVELIN_EXE names the program";
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr);
  std::vector<ULONG_PTR> groups;
  EnumResourceNamesA(module, RT_GROUP_ICON,
                     [](HMODULE, LPCSTR, LPSTR name, LONG_PTR found) -> BOOL {
                       reinterpret_cast<std::vector<ULONG_PTR>*>(found)->push_back(reinterpret_cast<ULONG_PTR>(name));
                       return TRUE;
                     },
                     reinterpret_cast<LONG_PTR>(&groups));
  ASSERT_EQ(groups.size(), 1u) << "one icon for the program file and the tray";
  EXPECT_EQ(groups[0], static_cast<ULONG_PTR>(IDI_TRAY));

  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_TRAY), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
  WORD count = 0;
  std::memcpy(&count, directory + 4, sizeof count);
  const int sides[] = {16, 20, 24, 32, 40, 48, 64, 256};
  ASSERT_EQ(count, std::size(sides));
  for (WORD i = 0; i < count; ++i) {
    GroupEntry entry{};
    std::memcpy(&entry, directory + 6 + i * sizeof entry, sizeof entry);
    const int side = entry.width == 0 ? 256 : entry.width;
    SCOPED_TRACE(testing::Message() << "image " << i << ", " << side << " pixels");
    EXPECT_EQ(side, sides[i]);
    EXPECT_EQ(entry.height, entry.width);
    EXPECT_EQ(entry.bitCount, 32);  // the images themselves are checked in res/tray.ico
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(entry.id), RT_ICON), nullptr);
  }
  FreeLibrary(module);
}

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi_ = ScreenDpi();
    if (const char* expected = std::getenv("TAVELIN_LOGPIXELS")) {
      ASSERT_EQ(dpi_, std::atoi(expected)) << "the prefix's LogPixels did not take";
    }
    side_ = SmallIconSide(dpi_);
    ASSERT_NE(side_, 0) << "no small icon size known for " << dpi_ << " DPI";
    PrepareProgramFolder(folder_.path());
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  // Checks the tray record's icon: the side wanted at this DPI, drawn for
  // that side (its alpha the stored image's, not a scaled copy of another).
  void ExpectTrayIconOfItsSize(const char* when) {
    SCOPED_TRACE(when);
    const IconImage image = ReadIcon(g_state.nidTray.hIcon);
    EXPECT_EQ(image.width, side_) << "at " << dpi_ << " DPI";
    EXPECT_EQ(image.height, side_);
    EXPECT_EQ(image.bitCount, 32);
    const std::vector<BYTE> stored = StoredAlpha(GetModuleHandleW(nullptr), side_);
    ASSERT_EQ(stored.size(), image.pixels.size()) << "the icon has an image of " << side_ << " pixels";
    int differing = 0, partial = 0;
    for (size_t i = 0; i < stored.size(); ++i) {
      const BYTE alpha = static_cast<BYTE>(image.pixels[i] >> 24);
      differing += alpha != stored[i];
      partial += alpha > 0 && alpha < 255;
    }
    EXPECT_EQ(differing, 0) << "the image drawn for " << side_ << " pixels";
    EXPECT_GT(partial, side_) << "smooth edges";
  }

  // A stand-in for what the record held before: the icon at another size.
  void GiveTheRecordAnIconOfAnotherSize() {
    const int other = side_ == 32 ? 16 : 32;
    auto stale = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, other, other, 0));
    ASSERT_NE(stale, nullptr);
    DestroyIcon(g_state.nidTray.hIcon);
    g_state.nidTray.hIcon = stale;  // the program owns it now, as its own
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
  int dpi_ = 0, side_ = 0;
};

// The shell accepts a change only for an icon it holds.
bool IconIsShown(const NOTIFYICONDATAW& record) {
  NOTIFYICONDATAW probe = record;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

TEST_F(TrayIconTest, TheTrayGetsTheSmallIconOfTheScreensDpi) {
  ExpectTrayIconOfItsSize("at start");
  EXPECT_TRUE(IconIsShown(g_state.nidTray));
}

TEST_F(TrayIconTest, AChangeOfScaleGivesTheShellTheIconAtTheSizeItNowWants) {
  GiveTheRecordAnIconOfAnotherSize();
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  SendMessageW(hwnd_, WM_DPICHANGED, MAKEWPARAM(dpi_, dpi_), reinterpret_cast<LPARAM>(&rect));
  ExpectTrayIconOfItsSize("after WM_DPICHANGED");
  EXPECT_TRUE(IconIsShown(g_state.nidTray));
}

TEST_F(TrayIconTest, ANewNotificationAreaGetsTheIconAtItsSize) {
  GiveTheRecordAnIconOfAnotherSize();
  NOTIFYICONDATAW gone = g_state.nidTray;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));  // as a new notification area holds nothing
  SendMessageW(hwnd_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ExpectTrayIconOfItsSize("after TaskbarCreated");
  EXPECT_TRUE(IconIsShown(g_state.nidTray));
}

TEST_F(TrayIconTest, ShutdownRemovesTheIconAndDestroysItsImage) {
  const NOTIFYICONDATAW record = g_state.nidTray;
  CloseClock(hwnd_);
  EXPECT_FALSE(IconIsShown(record));
  EXPECT_EQ(g_state.nidTray.hIcon, nullptr);
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(record.hIcon, &info)) << "the image is released with the icon";
}

}  // namespace
