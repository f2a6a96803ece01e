// Tavelin.exe with the demo kit, heard: what it plays goes to a null sink of
// a sound server of the test's own (started by the launcher) and is recorded
// from the sink's monitor with parec. An MP3 alarm, an OGG countdown at half
// volume and a WAV chime each ring with the file's loudness and pitch; an
// alarm whose sound is missing rings with the program's own tone, and
// muting silences it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "support/clock_fixture.h"
#include "support/language.h"
#include "support/x_pointer.h"

namespace {

constexpr int kRate = 8000;          // recorded mono at this rate
constexpr double kFileRms = 0.5 / 1.4142135623730951;  // sox's sines at amplitude 0.5
// The pitch tells which file played: the three are 110 Hz apart, and a
// wrong sample rate (44.1 kHz played at 48) would move it by 9 %.
constexpr double kPitchSlack = 30;

// A recording of the sink's monitor, started now for `seconds` or until
// Stop().
class Recording {
 public:
  Recording(const std::string& unixFile, double seconds) : file_(unixFile), stop_(unixFile + ".stop") {
    DeleteFileA(WindowsPath(stop_).c_str());
    done_ = StartUnixCommand("timeout " + std::to_string(seconds) +
                             " parec -d tavelin.monitor --raw --format=s16le --channels=1 --rate=" +
                             std::to_string(kRate) + " --latency-msec=20 > " + unixFile +
                             " & r=$!; while kill -0 $r 2>/dev/null && [ ! -e " + stop_ +
                             " ]; do sleep 0.05; done; kill $r 2>/dev/null; wait $r; rm -f " + stop_);
  }
  // Whether parec has begun to write: the sink's monitor gives samples,
  // silent ones too, from its start.
  bool WaitStarted() {
    return WaitFor([&] { return !ReadFileBytes(WindowsPath(file_)).empty(); }, 10000);
  }
  void Stop() {
    HANDLE stop = CreateFileA(WindowsPath(stop_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (stop != INVALID_HANDLE_VALUE) CloseHandle(stop);
  }
  // The samples, once parec has ended; empty when it failed.
  std::vector<double> Samples(unsigned timeoutMs) {
    std::vector<double> samples;
    if (!WaitForUnixCommand(done_, timeoutMs)) return samples;
    const std::string bytes = ReadFileBytes(WindowsPath(file_));
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const auto value = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
      samples.push_back(value / 32768.0);
    }
    return samples;
  }

 private:
  std::string file_;
  std::string stop_;
  std::string done_;
};

// A stretch of sound in a recording: the blocks of 50 ms louder than the
// floor, and the short dropouts between them.
struct Burst {
  size_t begin;  // samples
  size_t end;
};

std::vector<Burst> Bursts(const std::vector<double>& s) {
  constexpr size_t kBlock = kRate / 20;
  // Silence shorter than this, where the player's data came late on a busy
  // machine, does not end a sound.
  constexpr size_t kDropout = kRate * 3 / 10;
  std::vector<Burst> bursts;
  for (size_t at = 0; at + kBlock <= s.size(); at += kBlock) {
    double sum = 0;
    for (size_t i = at; i < at + kBlock; ++i) sum += s[i] * s[i];
    if (std::sqrt(sum / kBlock) <= 0.02) continue;
    if (!bursts.empty() && at - bursts.back().end < kDropout) bursts.back().end = at + kBlock;
    else bursts.push_back({at, at + kBlock});
  }
  return bursts;
}

// The loudness and pitch of a burst's middle, away from its fades. On a busy
// machine the player's data may reach the sink late, which then plays
// silence in between: those gaps (runs of samples at zero, which no tone of
// these has) are left out of both.
struct Heard {
  double rms = 0;
  double hertz = 0;
};

Heard Measure(const std::vector<double>& s, const Burst& b) {
  const size_t margin = (b.end - b.begin) / 5;
  const size_t from = b.begin + margin, to = b.end - margin;
  Heard heard;
  if (to <= from + 1) return heard;
  constexpr size_t kGapRun = 4;
  std::vector<bool> gap(to - from, false);
  for (size_t i = from, run = 0; i < to; ++i) {
    run = std::fabs(s[i]) < 0.005 ? run + 1 : 0;
    if (run >= kGapRun)
      for (size_t j = i + 1 - std::min(run, kGapRun); j <= i; ++j) gap[j - from] = true;
  }
  double sum = 0;
  size_t sounding = 0;
  int crossings = 0;
  for (size_t i = from; i < to; ++i) {
    if (gap[i - from]) continue;
    sum += s[i] * s[i];
    ++sounding;
    if (i > from && !gap[i - 1 - from] && (s[i - 1] < 0) != (s[i] < 0)) ++crossings;
  }
  if (sounding == 0) return heard;
  heard.rms = std::sqrt(sum / static_cast<double>(sounding));
  heard.hertz = crossings / 2.0 / (static_cast<double>(sounding) / kRate);
  return heard;
}

double Peak(const std::vector<double>& s) {
  double peak = 0;
  for (double v : s) peak = std::max(peak, std::fabs(v));
  return peak;
}

std::string Describe(const std::vector<Burst>& bursts, const std::vector<double>& s) {
  std::string text;
  for (const Burst& b : bursts) {
    const Heard h = Measure(s, b);
    text += "[" + std::to_string(b.begin / static_cast<double>(kRate)) + " s, " +
            std::to_string((b.end - b.begin) / static_cast<double>(kRate)) + " s long, rms " +
            std::to_string(h.rms) + ", " + std::to_string(h.hertz) + " Hz] ";
  }
  return text;
}

// The longest burst: the one the event played.
const Burst* Longest(const std::vector<Burst>& bursts) {
  const Burst* best = nullptr;
  for (const Burst& b : bursts)
    if (best == nullptr || b.end - b.begin > best->end - best->begin) best = &b;
  return best;
}

std::string Ini(const std::string& key, const std::string& value) { return key + "=" + value + "\r\n"; }

// The demo kit and the heard sounds in a temp folder, with these [ALARM] keys.
void MakeProgramFolder(const TempFolder& folder, const std::string& alarmKeys) {
  const char* kit = std::getenv("TAVELIN_SOFT_KIT");
  const char* sounds = std::getenv("TAVELIN_HEARD_SOUNDS");
  ASSERT_NE(kit, nullptr);
  ASSERT_NE(sounds, nullptr);
  for (const std::string& from : {WindowsPath(kit), WindowsPath(sounds)}) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << from;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        CopyFileA((from + "\\" + found.cFileName).c_str(), folder.File(found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  const std::string ini = folder.File("Tavelin.ini");
  ASSERT_TRUE(FileExists(ini)) << "the kit was not copied";
  WritePrivateProfileStringA("GENERAL", "xPosWindow", "200", ini.c_str());
  WritePrivateProfileStringA("GENERAL", "yPosWindow", "150", ini.c_str());
  WritePrivateProfileStringA("GENERAL", "fMute", "0", ini.c_str());
  std::string keys = alarmKeys;
  for (size_t line = 0; line < keys.size();) {
    const size_t end = keys.find("\r\n", line);
    const std::string entry = keys.substr(line, end - line);
    const size_t eq = entry.find('=');
    WritePrivateProfileStringA("ALARM", entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), ini.c_str());
    line = end + 2;
  }
}

HWND WaitForAlarmBox() {
  const wchar_t* title = InRunLanguage(L"Tavelin - アラーム", L"Tavelin - Alarm");
  HWND box = nullptr;
  WaitFor([&] { return (box = FindWindowW(nullptr, title)) != nullptr && IsWindowVisible(box); }, 20000);
  return box;
}

// The clock's settings dialog: the window of that process holding the timer's buttons.
HWND FindSettingsDialog(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == s->processId && IsWindowVisible(w) && GetDlgItem(w, IDC_TIMER_ONCE) != nullptr) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits until the second of the minute is within [earliest, latest].
void WaitForSecondsInMinute(int earliest, int latest) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  if (now.wSecond > latest) {
    Sleep((60 - now.wSecond) * 1000);
    GetSystemTime(&now);
    if (now.wSecond > latest) now.wSecond = 0;  // the wait ended a little early
  }
  if (now.wSecond < earliest) Sleep((earliest - now.wSecond) * 1000 + 100);
}

class SoundEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RunningUnderWine() || std::getenv("TAVELIN_HEARD_SOUNDS") == nullptr)
      GTEST_SKIP() << "heard through the launcher's sound server under Wine";
    recordings_ = "/tmp/tavelin-heard-" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override {
    StopProgram(FindWindowA(kClassName, nullptr), &process_);
  }
  std::string RecordingFile(const char* name) const { return recordings_ + "-" + name + ".raw"; }

  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  std::string recordings_;
};

// Started a few seconds into the local minute 59 (a time zone of the clock's
// own moves the local time there): the MP3 alarm of that minute rings at
// once; the countdown of one minute, started from the dialog, ends after
// the full hour's chime.
TEST_F(SoundEndToEndTest, AnMp3AlarmAnOggTimerAtHalfVolumeAndAWavChimeAreHeardAsTheirFiles) {
  // The chime comes at most 55 s after the countdown starts, well before its end.
  WaitForSecondsInMinute(5, 30);
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  const int ahead = (59 - utc.wMinute + 60) % 60;  // minutes east of UTC
  const int hour = (utc.wHour + (utc.wMinute + ahead) / 60) % 24;
  char tz[32];
  wsprintfA(tz, "TVL-%d:%02d", ahead / 60, ahead % 60);
  MakeProgramFolder(folder_, Ini("nOClockMode", "1018") + Ini("nOClockQuietFrom", "0") +
                                 Ini("nOClockQuietTo", "0") + Ini("szOClockSound", "chime.wav") +
                                 Ini("nOClockVolume", "100") + Ini("szTimerSound", "timer.ogg") +
                                 Ini("nTimerVolume", "50") + Ini("nTimerMinute", "1") +
                                 Ini("nAlarmMode", "1012") + Ini("nAlarmHour", std::to_string(hour)) +
                                 Ini("nAlarmMinute", "59") + Ini("szAlarmSound", "alarm.mp3") +
                                 Ini("nAlarmVolume", "100"));
  // Wine takes the time zone from the Unix environment a program starts in.
  const char* exe = std::getenv("TAVELIN_EXE");
  ASSERT_NE(exe, nullptr);
  ASSERT_TRUE(CopyFileA(WindowsPath(exe).c_str(), folder_.File("Tavelin.exe").c_str(), FALSE));
  char unixFolder[MAX_PATH * 3] = "";
  {
    using ToUnix = char*(__cdecl*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_NE(toUnix, nullptr);
    char* name = toUnix(WidePath(folder_.path()).c_str());
    ASSERT_NE(name, nullptr);
    lstrcpynA(unixFolder, name, sizeof unixFolder);
    HeapFree(GetProcessHeap(), 0, name);
  }
  // Heard from before the start: a start slowed by a busy machine still
  // leaves the whole sound in the recording.
  Recording alarmRecording(RecordingFile("alarm"), 40);
  ASSERT_TRUE(alarmRecording.WaitStarted()) << "parec did not start";
  StartUnixCommand(std::string("cd '") + unixFolder + "' && TZ=" + tz + " \"${WINELOADER:-wine}\" Tavelin.exe");
  HWND box = WaitForAlarmBox();
  ASSERT_NE(box, nullptr) << "the alarm did not ring";
  {
    DWORD id = 0;
    GetWindowThreadProcessId(box, &id);
    process_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id);
    process_.dwProcessId = id;
  }
  Sleep(2500);  // the sound, a second and a half, plays out
  alarmRecording.Stop();
  const std::vector<double> alarm = alarmRecording.Samples(15000);
  ASSERT_FALSE(alarm.empty()) << "nothing was recorded";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  const auto alarmBursts = Bursts(alarm);
  const Burst* alarmBurst = Longest(alarmBursts);
  ASSERT_NE(alarmBurst, nullptr) << "the MP3 alarm was not heard; peak " << Peak(alarm);
  const Heard heardAlarm = Measure(alarm, *alarmBurst);
  EXPECT_NEAR(heardAlarm.rms, kFileRms, kFileRms * 0.1) << Describe(alarmBursts, alarm);
  EXPECT_NEAR(heardAlarm.hertz, 550, kPitchSlack) << Describe(alarmBursts, alarm);

  // The countdown of one minute, started as a user starts it.
  HWND clock = FindWindowA(kClassName, nullptr);
  ASSERT_NE(clock, nullptr);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  PostMessageW(clock, WM_COMMAND, IDM_ALARMSETTINGS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindSettingsDialog(process_.dwProcessId)) != nullptr; }, 10000));
  SendMessageW(GetDlgItem(dialog, IDC_TIMER_ONCE), BM_CLICK, 0, 0);
  SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));

  // The chime at the full hour, then the countdown's end.
  Recording later(RecordingFile("later"), 66);
  const std::vector<double> heard = later.Samples(80000);
  ASSERT_FALSE(heard.empty());
  const auto bursts = Bursts(heard);
  ASSERT_EQ(bursts.size(), 2u) << "expected the chime and the timer: " << Describe(bursts, heard);
  const Heard chime = Measure(heard, bursts[0]);
  const Heard timer = Measure(heard, bursts[1]);
  EXPECT_NEAR(chime.rms, kFileRms, kFileRms * 0.1) << Describe(bursts, heard);
  EXPECT_NEAR(chime.hertz, 440, kPitchSlack) << Describe(bursts, heard);
  EXPECT_NEAR(timer.rms, kFileRms / 2, kFileRms / 2 * 0.1) << Describe(bursts, heard);
  EXPECT_NEAR(timer.hertz, 660, kPitchSlack) << Describe(bursts, heard);
}

// An alarm whose file is gone rings with the program's own tone; muting the
// clock while it rings leaves silence.
TEST_F(SoundEndToEndTest, AnAlarmWhoseSoundIsMissingIsHeardAndMutingSilencesIt) {
  WaitForSecondsInMinute(0, 40);
  SYSTEMTIME now;
  GetLocalTime(&now);
  MakeProgramFolder(folder_, Ini("nOClockMode", "1017") + Ini("nAlarmMode", "1012") +
                                 Ini("nAlarmHour", std::to_string(now.wHour)) +
                                 Ini("nAlarmMinute", std::to_string(now.wMinute)) +
                                 Ini("szAlarmSound", "gone.mp3") + Ini("nAlarmVolume", "100"));
  ASSERT_EQ(StartProgramIn(folder_.path(), &process_), "");
  HWND box = WaitForAlarmBox();
  ASSERT_NE(box, nullptr) << "the alarm did not ring";
  Recording ringing(RecordingFile("tone"), 2.5);
  const std::vector<double> tone = ringing.Samples(15000);
  const auto toneBursts = Bursts(tone);
  ASSERT_FALSE(toneBursts.empty()) << "the alarm was silent; peak " << Peak(tone);
  EXPECT_GT(Measure(tone, *Longest(toneBursts)).rms, 0.05) << Describe(toneBursts, tone);

  // Muted while it rings, 0.7 s into the recording: the sound stops at once,
  // well within the recording's last 1.5 s.
  HWND clock = FindWindowA(kClassName, nullptr);
  ASSERT_NE(clock, nullptr);
  Recording muting(RecordingFile("muted"), 3);
  ASSERT_TRUE(muting.WaitStarted()) << "parec did not start";
  Sleep(700);
  PostMessageW(clock, WM_COMMAND, IDM_MUTE, 0);
  const std::vector<double> recorded = muting.Samples(15000);
  ASSERT_GT(recorded.size(), static_cast<size_t>(kRate * 2)) << "nothing was recorded";
  const std::vector<double> before(recorded.begin(), recorded.begin() + kRate / 2);
  const std::vector<double> after(recorded.end() - kRate * 3 / 2, recorded.end());
  EXPECT_GT(Peak(before), 0.05) << "the tone did not go on until the clock was muted";
  EXPECT_LT(Peak(after), 0.01) << "muted, yet heard";
  EXPECT_TRUE(IsWindow(box)) << "muting is no answer to the alarm";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace
