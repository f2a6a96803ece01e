// Tavelin.exe with the soft demo fox, watched on a composited screen as a
// user sees it: it blinks within ten seconds, and nothing but its eyes and
// its hands change; with "Animate" off only the hands do.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "mascot/figure_geometry.h"
#include "settings/settings_win32.h"
#include "shared/dpi_win32.h"
#include "support/clock_fixture.h"
#include "support/x_pointer.h"

namespace {


// A rectangle of the canvas, in the window's pixels at `factor`, widened by
// the scaling filter's reach.
RECT InWindow(int left, int top, int width, int height, double factor) {
  return {static_cast<int>(left * factor) - 2, static_cast<int>(top * factor) - 2,
          static_cast<int>((left + width) * factor) + 3, static_cast<int>((top + height) * factor) + 3};
}

class LifeEndToEnd : public testing::Test {
 protected:
  // Starts the program with the soft kit's fox; false without the kit.
  bool StartFox(const std::string& general) {
    if (!RunningUnderWine()) return false;
    const std::string kit = PathFromEnvironment("TAVELIN_SOFT_KIT");
    if (kit.empty()) return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((kit + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        CopyFileA((kit + "\\" + found.cFileName).c_str(), folder_.File(found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    const std::string ini = folder_.File("Tavelin.ini");
    WriteFileBytes(ini, "[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\nfTopMost=1\r\nfAsideFullScreen=0\r\n"
                        "xPosWindow=120\r\nyPosWindow=90\r\n" + general + ReadFileBytes(kit + "\\Tavelin.ini"));
    // Where the eyes and the face lie in the window, from the kit's section.
    int xFace = 0, yFace = 0, xEyes = 0, yEyes = 0, scale = 100;
    ReadSettingInt(ini.c_str(), "Aduvi", "xPosFace", &xFace, 0);
    ReadSettingInt(ini.c_str(), "Aduvi", "yPosFace", &yFace, 0);
    ReadSettingInt(ini.c_str(), "Aduvi", "xPosBlink", &xEyes, 0);
    ReadSettingInt(ini.c_str(), "Aduvi", "yPosBlink", &yEyes, 0);
    ReadSettingInt(ini.c_str(), "Aduvi", "nPictureScale", &scale, 100);
    const std::string blink = ReadFileBytes(kit + "\\aduvi_blink.png");
    if (blink.size() < 24) return false;
    auto be32 = [&](std::size_t at) {
      return (static_cast<unsigned char>(blink[at]) << 24) | (static_cast<unsigned char>(blink[at + 1]) << 16) |
             (static_cast<unsigned char>(blink[at + 2]) << 8) | static_cast<unsigned char>(blink[at + 3]);
    };
    const int eyesWidth = be32(16), eyesHeight = be32(20);  // the PNG's header
    if (StartProgramIn(folder_.path(), &process_) != "") return false;
    hwnd_ = WaitForShownClock(&window_, 20000);
    if (hwnd_ == nullptr) return false;
    const double factor = PictureFactor(DisplayScale(IDM_SIZE_NORMAL, WindowDpi(hwnd_)), scale);
    const int charaX = std::max(0, -xFace), charaY = std::max(0, -yFace);
    eyes_ = InWindow(charaX + xEyes, charaY + yEyes, eyesWidth, eyesHeight, factor);
    face_ = InWindow(std::max(0, xFace), std::max(0, yFace), FaceSideAt(scale), FaceSideAt(scale), factor);
    // A user is there: the pointer crosses the figure. Without input since
    // the display started, the fox would count as away and sleep.
    const int x = (window_.left + window_.right) / 2, y = (window_.top + window_.bottom) / 2;
    RunXdotool("mousemove " + Xy(x, y) + " sleep 0.2 mousemove " + Xy(x + 5, y + 5) + " sleep 0.2 mousemove 2 2");
    Sleep(2500);  // awake again, and the outline and the picture settled
    return true;
  }
  void TearDown() override { StopProgram(hwnd_, &process_); }

  // Watches the window for `ms`: the most pixels that differed from the first
  // shot within the eyes, and how many ever differed outside eyes and face.
  void Watch(DWORD ms, int* eyesChanged, int* elsewhere, bool stopAtBlink) {
    const std::vector<std::uint32_t> first = CopyPixels(nullptr, window_);
    const int width = window_.right - window_.left;
    *eyesChanged = 0;
    *elsewhere = 0;
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
      const std::vector<std::uint32_t> now = CopyPixels(nullptr, window_);
      int inEyes = 0;
      for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] == first[i]) continue;
        const POINT p{static_cast<int>(i % width), static_cast<int>(i / width)};
        if (PtInRect(&eyes_, p)) {
          ++inEyes;
        } else if (!PtInRect(&face_, p)) {
          ++*elsewhere;
        }
      }
      *eyesChanged = std::max(*eyesChanged, inEyes);
      if (stopAtBlink && inEyes > 20) return;
      Sleep(30);
    }
  }

  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND hwnd_ = nullptr;
  RECT window_{};
  RECT eyes_{};
  RECT face_{};
};

TEST_F(LifeEndToEnd, TheDemoFoxBlinksWithinTenSeconds) {
  if (!StartFox("")) GTEST_SKIP() << "needs Wine, the soft kit and the program";
  int eyes = 0, elsewhere = 0;
  Watch(10000, &eyes, &elsewhere, true);
  EXPECT_GT(eyes, 20) << "no blink in ten seconds";
  EXPECT_EQ(elsewhere, 0) << "pixels outside the eyes and the face changed";
}

TEST_F(LifeEndToEnd, WithAnimateOffOnlyTheHandsMove) {
  if (!StartFox("fAnimate=0\r\n")) GTEST_SKIP() << "needs Wine, the soft kit and the program";
  int eyes = 0, elsewhere = 0;
  Watch(10000, &eyes, &elsewhere, false);
  EXPECT_EQ(eyes, 0);
  EXPECT_EQ(elsewhere, 0);
}

}  // namespace
