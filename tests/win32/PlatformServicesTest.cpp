// The Win32 system services. No test here asks the system for a power
// operation: only the journal variant is called with a valid kind.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "core/DateTime.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#include "tests/win32/ModalAnswers.h"
#include "ui/win32/Win32Toolkit.h"

namespace {

using platform::win32::JournalPower;
using platform::win32::SystemPower;

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::string ReadAll(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(read);
  return text;
}

// A Windows path from an environment variable the test script sets, if any.
std::wstring PathFromEnvironment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

std::string Narrow(const std::wstring& text) { return testing_win32::Utf8(text); }

TEST(SystemPower, RefusesKindsOutsideOneToFive) {
  SystemPower power;
  for (int kind : {0, 6, -1, 100})
    for (bool force : {false, true}) EXPECT_FALSE(power.shutDownSystem(kind, force)) << kind;
}

TEST(JournalPower, WritesOneLinePerValidRequestAndNothingForOthers) {
  const std::wstring path = TempPath(L"vaelto-journal-test.log");
  DeleteFileW(path.c_str());
  JournalPower power(path);
  const struct {
    int kind;
    bool force;
    bool accepted;
  } requests[] = {{0, false, false}, {1, false, true}, {2, false, true}, {6, false, false},
                  {3, true, true},   {4, false, true}, {5, false, true}, {-1, true, false}};
  for (const auto& r : requests) EXPECT_EQ(power.shutDownSystem(r.kind, r.force), r.accepted) << r.kind;
  EXPECT_EQ(ReadAll(path),
            "ShutDownSystem 1 0\nShutDownSystem 2 0\nShutDownSystem 3 1\nShutDownSystem 4 0\n"
            "ShutDownSystem 5 0\n");
  DeleteFileW(path.c_str());
}

TEST(JournalPower, WritesBesideTheExeByDefault) {
  const std::wstring path = JournalPower().path();
  const std::size_t slash = path.find_last_of(L'\\');
  ASSERT_NE(slash, std::wstring::npos);
  EXPECT_EQ(path.substr(slash + 1), L"journal.log");
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_EQ(std::wstring(exe).substr(0, slash + 1), path.substr(0, slash + 1));
}

TEST(Win32Clock, LocalTimeAgreesWithTheCRuntime) {
  platform::win32::Win32Clock clock;
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  const std::int64_t expected =
      core::SecondsOf(core::DateTimeOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                       local.tm_min, local.tm_sec)) * 1000;
  EXPECT_NEAR(static_cast<double>(clock.localMilliseconds()), static_cast<double>(expected), 2000.0);
}

TEST(Win32Clock, UptimeMovesWithRealTime) {
  platform::win32::Win32Clock clock;
  const std::uint32_t before = clock.uptimeMilliseconds();
  Sleep(100);
  const std::uint32_t elapsed = clock.uptimeMilliseconds() - before;  // wraps like the system count
  EXPECT_GE(elapsed, 80u);
  EXPECT_LT(elapsed, 5000u);
}

// The test script points Wine's browser hook at a recorder and names its log.
TEST(Win32Shell, OpenUrlHandsTheAddressToTheRegisteredHandler) {
  const std::wstring log = PathFromEnvironment(L"VAELTO_URL_LOG");
  if (log.empty()) GTEST_SKIP() << "VAELTO_URL_LOG not set (run through scripts/test-win32.sh)";
  const std::string address = "http://127.0.0.1:9/vaelto-test-" + std::to_string(GetTickCount());
  platform::win32::Win32Shell().openUrl(address);
  std::string seen;
  for (int i = 0; i < 100 && seen.find(address) == std::string::npos; ++i) {
    Sleep(100);
    seen = ReadAll(log);
  }
  EXPECT_NE(seen.find(address), std::string::npos) << seen;
}

// Sound. The script records the sink while these run: the Silence suite
// must leave it silent, the Playback suite must be heard.
void PumpWhile(int ms, const std::function<bool()>& going) {
  const std::int64_t end = ui::win32::Win32Toolkit::Now() + ms;
  while (going() && ui::win32::Win32Toolkit::Now() < end) testing_win32::PumpFor(20);
}

TEST(SoundSilence, FilesThatCannotBePlayedPlayNothing) {
  const std::wstring notMp3 = TempPath(L"vaelto-not-an-mp3.mp3");
  HANDLE file = CreateFileW(notMp3.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const char text[] = "这不是声音文件 this is no sound\n";
  DWORD written = 0;
  WriteFile(file, text, sizeof text - 1, &written, nullptr);
  CloseHandle(file);
  platform::win32::Win32Sound sound;
  const struct {
    const char* what;
    int times;
    std::string path;
  } cases[] = {
      {"missing file", 1, "C:\\no\\such\\folder\\ring.mp3"},
      {"text file", 1, Narrow(notMp3)},
      {"text file, endless", -1, Narrow(notMp3)},
      {"empty path", 1, ""},
  };
  for (const auto& c : cases) {
    sound.playMp3(c.times, c.path);
    EXPECT_FALSE(sound.playing()) << c.what;
    testing_win32::PumpFor(300);
  }
  sound.stopPlaying();  // with nothing playing: nothing happens
  DeleteFileW(notMp3.c_str());
}

TEST(SoundSilence, ZeroTimesStopsThePreviousPlayerAndPlaysNothing) {
  const std::wstring mp3 = PathFromEnvironment(L"VAELTO_TEST_MP3");
  if (mp3.empty()) GTEST_SKIP() << "VAELTO_TEST_MP3 not set (run through scripts/test-win32.sh)";
  platform::win32::Win32Sound sound;
  sound.playMp3(0, Narrow(mp3));
  EXPECT_FALSE(sound.playing());
  testing_win32::PumpFor(800);
}

TEST(SoundPlayback, PlaysTheFileTheGivenNumberOfTimesInTheBackground) {
  const std::wstring mp3 = PathFromEnvironment(L"VAELTO_TEST_MP3");
  if (mp3.empty()) GTEST_SKIP() << "VAELTO_TEST_MP3 not set (run through scripts/test-win32.sh)";
  platform::win32::Win32Sound sound;
  const std::int64_t before = ui::win32::Win32Toolkit::Now();
  sound.playMp3(2, Narrow(mp3));
  EXPECT_LT(ui::win32::Win32Toolkit::Now() - before, 2000) << "the call returns at once";
  ASSERT_TRUE(sound.playing()) << "MCI could not open the MP3 (GStreamer plugins and PulseAudio?)";
  PumpWhile(20000, [&] { return sound.playing(); });
  EXPECT_EQ(sound.finishedPlays(), 2);
  EXPECT_FALSE(sound.playing());
}

TEST(SoundPlayback, EndlessPlayRepeatsUntilStopped) {
  const std::wstring mp3 = PathFromEnvironment(L"VAELTO_TEST_MP3");
  if (mp3.empty()) GTEST_SKIP() << "VAELTO_TEST_MP3 not set (run through scripts/test-win32.sh)";
  platform::win32::Win32Sound sound;
  sound.playMp3(-1, Narrow(mp3));
  ASSERT_TRUE(sound.playing());
  PumpWhile(20000, [&] { return sound.finishedPlays() < 2; });
  EXPECT_GE(sound.finishedPlays(), 2);
  EXPECT_TRUE(sound.playing());
  sound.stopPlaying();
  EXPECT_FALSE(sound.playing());
  // A new play first removes the previous player.
  sound.playMp3(1, Narrow(mp3));
  sound.playMp3(1, Narrow(mp3));
  PumpWhile(20000, [&] { return sound.playing(); });
  EXPECT_EQ(sound.finishedPlays(), 1);
}

}  // namespace
