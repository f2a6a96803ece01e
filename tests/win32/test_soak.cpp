// A long run in one process: thousands of repaints and hundreds of character
// loads must leave the GDI and USER object counts and the memory where they
// were once the caches are warm.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/test_pictures.h"

namespace {

constexpr int kLoads = 200;
constexpr int kRepaintsPerLoad = 20;  // 4,000 repaints in all
constexpr int kWarmUpLoads = 2 * kCharacterCount;  // every character at both sizes

// A leaked bitmap or region per load adds one object per load: hundreds over
// the run. The slack only absorbs objects the system creates on its own.
constexpr long kObjectSlack = 3;
// A leaked demo figure costs about 200 KB per load: 20 MB over the second
// half's 100 loads. A leaked outline (about 4 KB) is a region, which the object
// count catches. A clean run grows by a few hundred KB just after the warm-up
// and not at all in its second half.
constexpr long long kMemorySlack = 1ll << 20;
constexpr long long kSecondHalfGrowth = 512ll << 10;

int g_localTimeCalls = 0;

// A fixed time away from the hour: no chime and no character change fires.
void FixedLocalTime(SYSTEMTIME* time) {
  ++g_localTimeCalls;
  *time = SYSTEMTIME{2026, 3, 1, 9, 10, 8, 30, 0};
}

BOOL SilentPlaySound(const char*, UINT, unsigned) { return TRUE; }

// Live GDI objects of the process found by handle index. Wine keeps them in
// one table indexed by the handle's low word and accepts the bare index.
long ProbeGdiObjects() {
  long count = 0;
  for (ULONG_PTR index = 0; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param) {
  ++*reinterpret_cast<long*>(param);
  EnumChildWindows(hwnd, CountWindow, param);
  return TRUE;
}

// USER objects the program can make: this thread's windows with their
// children, and menus (found by handle index, as Wine accepts the low word).
long ProbeUserObjects() {
  long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  for (ULONG_PTR index = 0x20; index < 0x10000; index += 2) {
    if (IsMenu(reinterpret_cast<HMENU>(index))) ++count;
  }
  return count;
}

struct Snapshot {
  long gdi = 0;
  long user = 0;
  long long privateBytes = 0;
  long long workingSet = 0;
};

class SoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_system.localTime = FixedLocalTime;
    g_system.playSound = SilentPlaySound;
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
    ResetSystemReadings();
  }

  // The demo kit handed over by the test runner, or twelve drawn characters
  // when there is none, so the run never depends on the kit being built.
  void PutKitInProgramFolder() {
    const std::string kit = PathFromEnvironment("TAVELIN_KIT");
    if (!kit.empty() && FileExists(kit + "\\Tavelin.ini")) {
      WIN32_FIND_DATAA found;
      HANDLE search = FindFirstFileA((kit + "\\*").c_str(), &found);
      ASSERT_NE(search, INVALID_HANDLE_VALUE);
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          ASSERT_TRUE(CopyFileA((kit + "\\" + found.cFileName).c_str(), folder_.File(found.cFileName).c_str(), FALSE));
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
      std::printf("kit: %s\n", kit.c_str());
    } else {
      WriteFileBytes(folder_.File("face.bmp"), BmpBytes(MakeTestFace().view()));
      std::string ini;
      for (int i = 0; i < kCharacterCount; ++i) {
        const std::string name = "chara" + std::to_string(i) + ".bmp";
        const PixelBuffer picture = MakeTestCharacter(180 + 10 * i, 240 - 5 * i, 0x00FF00FF, 0x00C08040 + 0x0C0000 * i,
                                                      3, static_cast<unsigned>(i + 1));
        WriteFileBytes(folder_.File(name), BmpBytes(picture.view()));
        ini += std::string("[") + CharacterTable[i].name + "]\r\nFileNameFace=face.bmp\r\nFileNameChara=" + name +
               "\r\nxPosFace=" + std::to_string(i * 7 - 40) + "\r\nyPosFace=" + std::to_string(60 - i * 9) +
               "\r\nfFaceOnChara=" + std::to_string(i % 2) + "\r\n";
      }
      WriteFileBytes(folder_.File("Tavelin.ini"), ini);
      std::printf("kit: twelve drawn characters (TAVELIN_KIT has none)\n");
    }
    const std::string ini = folder_.File("Tavelin.ini");
    WritePrivateProfileStringA("GENERAL", "nChara", "40001", ini.c_str());
    WritePrivateProfileStringA("GENERAL", "nSize", "42002", ini.c_str());
  }

  // GetGuiResources where the system counts; the probes where it answers 0,
  // provided they see an object come and go.
  void ChooseObjectCounter() {
    systemCounts_ = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0 &&
                    GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS) != 0;
    if (systemCounts_) {
      std::printf("object counts: GetGuiResources\n");
      return;
    }
    const long before = ProbeGdiObjects();
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    const long with = ProbeGdiObjects();
    DeleteObject(region);
    const long after = ProbeGdiObjects();
    HMENU menu = CreatePopupMenu();
    const long withMenu = ProbeUserObjects();
    DestroyMenu(menu);
    probesWork_ = with == before + 1 && after == before && withMenu == ProbeUserObjects() + 1;
    std::printf("object counts: %s\n", probesWork_ ? "handle probes (GetGuiResources answers 0)"
                                                   : "none (only the clock's own handles are checked)");
  }

  Snapshot Measure() {
    PumpMessages(100);
    Snapshot shot;
    if (systemCounts_) {
      shot.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
      shot.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    } else if (probesWork_) {
      shot.gdi = ProbeGdiObjects();
      shot.user = ProbeUserObjects();
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine leaves PrivateUsage at 0 and reports private memory as PagefileUsage.
    shot.privateBytes = static_cast<long long>(memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage);
    shot.workingSet = static_cast<long long>(memory.WorkingSetSize);
    return shot;
  }

  static void Print(const char* label, const Snapshot& shot) {
    std::printf("%-22s GDI %5ld  USER %4ld  private %8.1f KiB  working set %8.1f KiB\n", label, shot.gdi, shot.user,
                shot.privateBytes / 1024.0, shot.workingSet / 1024.0);
  }

  // Load `step` of the cycle: even steps move to the next character, odd
  // steps switch the size, so every 24 steps show each character at both.
  void Load(int step) {
    int command;
    if (step % 2 == 0) {
      command = IDM_CHARA_FIRST + (g_state.nChara - IDM_CHARA_FIRST + 1) % kCharacterCount;
    } else {
      command = g_state.nSize == IDM_SIZE_SMALL ? IDM_SIZE_NORMAL : IDM_SIZE_SMALL;
    }
    HBITMAP oldBitmap = g_state.hbmMascot;
    HRGN oldRegion = g_state.hrgnShape;
    SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(command), 0);
    PumpMessages(50);

    // The clock's own count: each load makes one figure and one outline and
    // releases the previous pair.
    const bool replaced = g_state.hbmMascot != oldBitmap && g_state.hrgnShape != oldRegion;
    const bool oldGone = GetObjectType(oldBitmap) == 0 && GetObjectType(oldRegion) == 0;
    const bool newLive =
        GetObjectType(g_state.hbmMascot) == OBJ_BITMAP && GetObjectType(g_state.hrgnShape) == OBJ_REGION;
    if (replaced && oldGone && newLive) {
      ++loads_;
    } else if (handleFault_.empty()) {
      handleFault_ = "step " + std::to_string(step) + " command " + std::to_string(command) +
                     (!replaced ? ": figure not replaced" : !oldGone ? ": old handle still live" : ": new handle dead");
    }
  }

  void Repaint(int times) {
    const int callsBefore = g_localTimeCalls;
    for (int i = 0; i < times; ++i) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    repaints_ += g_localTimeCalls - callsBefore;  // the repaint reads the time once
    PumpMessages(50);
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
  bool systemCounts_ = false;
  bool probesWork_ = false;
  int loads_ = 0;
  int repaints_ = 0;
  std::string handleFault_;
};

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration elapsed) { return std::chrono::duration<double>(elapsed).count(); }

TEST_F(SoakTest, RepaintsAndLoadsLeaveObjectsAndMemoryWhereTheyWere) {
  PutKitInProgramFolder();
  ChooseObjectCounter();
  const Clock::time_point start = Clock::now();
  hwnd_ = StartClock();
  ASSERT_NE(hwnd_, nullptr);
  ASSERT_NE(g_state.hbmMascot, nullptr) << "the first character did not load";

  int step = 0;
  for (; step < kWarmUpLoads; ++step) {
    Load(step);
    Repaint(kRepaintsPerLoad);
  }
  ASSERT_EQ(loads_, kWarmUpLoads) << handleFault_;
  const Snapshot base = Measure();
  loads_ = 0;
  repaints_ = 0;
  const Clock::time_point soakStart = Clock::now();

  Clock::duration loading{};
  Clock::duration repainting{};
  Snapshot middle;
  for (int i = 1; i <= kLoads; ++i, ++step) {
    const Clock::time_point t0 = Clock::now();
    Load(step);
    const Clock::time_point t1 = Clock::now();
    Repaint(kRepaintsPerLoad);
    loading += t1 - t0;
    repainting += Clock::now() - t1;
    if (i == kLoads / 2) middle = Measure();
  }
  const Snapshot end = Measure();
  const Clock::time_point soakEnd = Clock::now();

  Print("after warm-up", base);
  Print(("after " + std::to_string(kLoads / 2) + " loads").c_str(), middle);
  Print(("after " + std::to_string(kLoads) + " loads").c_str(), end);
  std::printf("warm-up (start + %d loads): %.2f s\n", kWarmUpLoads, Seconds(soakStart - start));
  std::printf("%d loads: %.2f s (%.1f ms each)\n", loads_, Seconds(loading), 1000.0 * Seconds(loading) / kLoads);
  std::printf("%d repaints: %.2f s (%.2f ms each)\n", repaints_, Seconds(repainting),
              1000.0 * Seconds(repainting) / (kLoads * kRepaintsPerLoad));
  std::printf("soak: %.2f s\n", Seconds(soakEnd - soakStart));
  std::fflush(stdout);

  EXPECT_EQ(loads_, kLoads) << handleFault_;
  EXPECT_EQ(repaints_, kLoads * kRepaintsPerLoad);
  if (systemCounts_ || probesWork_) {
    EXPECT_LE(end.gdi, base.gdi + kObjectSlack);
    EXPECT_LE(end.user, base.user + kObjectSlack);
  }
  EXPECT_LE(end.privateBytes, base.privateBytes + kMemorySlack);
  EXPECT_LE(end.privateBytes, middle.privateBytes + kSecondHalfGrowth);
}

}  // namespace
